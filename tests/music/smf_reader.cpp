#include "smf_reader.h"

namespace testing
{

namespace
{

struct Cursor {
    const QByteArray &data;
    qsizetype pos;
    qsizetype end;
    bool failed = false;

    int byte()
    {
        if (pos >= end) {
            failed = true;
            return 0;
        }
        return static_cast<unsigned char>(data[pos++]);
    }
    quint32 bigEndian(int n)
    {
        quint32 v = 0;
        for (int i = 0; i < n; ++i)
            v = (v << 8) | static_cast<quint32>(byte());
        return v;
    }
    quint32 varLen()
    {
        quint32 v = 0;
        for (int i = 0; i < 4; ++i) {
            const int b = byte();
            v = (v << 7) | static_cast<quint32>(b & 0x7f);
            if (!(b & 0x80))
                return v;
        }
        failed = true;
        return v;
    }
};

} // namespace

double Smf::secondsAt(qint64 tick) const
{
    double seconds = 0;
    qint64 from = 0;
    int usPerBeat = 500000;
    for (const auto &[at, value] : tempo) {
        if (at >= tick)
            break;
        seconds += double(at - from) * usPerBeat / 1e6 / division;
        from = at;
        usPerBeat = value;
    }
    return seconds + double(tick - from) * usPerBeat / 1e6 / division;
}

Smf readSmf(const QByteArray &bytes)
{
    Smf smf;
    Cursor header{bytes, 0, bytes.size()};
    if (bytes.left(4) != "MThd") {
        smf.error = QStringLiteral("no MThd");
        return smf;
    }
    header.pos = 4;
    const quint32 headerLength = header.bigEndian(4);
    smf.format = static_cast<int>(header.bigEndian(2));
    const int declaredTracks = static_cast<int>(header.bigEndian(2));
    smf.division = static_cast<int>(header.bigEndian(2));
    qsizetype pos = 8 + headerLength;
    while (pos + 8 <= bytes.size()) {
        Cursor chunk{bytes, pos + 4, bytes.size()};
        const quint32 length = chunk.bigEndian(4);
        if (bytes.mid(pos, 4) != "MTrk") {
            pos += 8 + length; // unknown chunks are skipped, as the format asks
            continue;
        }
        Cursor c{bytes, pos + 8, pos + 8 + qsizetype(length)};
        if (c.end > bytes.size()) {
            smf.error = QStringLiteral("track runs past the end");
            return smf;
        }
        ++smf.trackCount;
        qint64 tick = 0;
        int status = 0;
        bool ended = false;
        std::map<std::pair<int, int>, QList<qint64>> sounding;
        while (!ended && !c.failed && c.pos < c.end) {
            tick += c.varLen();
            int b = c.byte();
            if (b < 0x80) { // running status
                --c.pos;
                b = status;
            }
            if (b == 0xff) {
                const int type = c.byte();
                const quint32 len = c.varLen();
                if (type == 0x51 && len == 3)
                    smf.tempo[tick] = static_cast<int>(c.bigEndian(3));
                else
                    c.pos += len;
                if (type == 0x2f) {
                    ended = true;
                    smf.endTick = std::max(smf.endTick, tick);
                }
                continue;
            }
            if (b == 0xf0 || b == 0xf7) {
                c.pos += c.varLen();
                continue;
            }
            if (b < 0x80) {
                smf.error = QStringLiteral("data byte without status");
                return smf;
            }
            status = b;
            const int channel = b & 0x0f;
            const int kind = b & 0xf0;
            const int d1 = c.byte();
            const int d2 = (kind == 0xc0 || kind == 0xd0) ? 0 : c.byte();
            if (kind == 0x90 && d2 > 0) {
                sounding[{channel, d1}].append(tick);
            } else if (kind == 0x80 || (kind == 0x90 && d2 == 0)) {
                auto &open = sounding[{channel, d1}];
                if (!open.isEmpty())
                    smf.notes.append({channel, d1, open.takeFirst(), tick});
            } else if (kind == 0xc0) {
                smf.programs[channel].append(d1);
            }
        }
        if (c.failed || !ended) {
            smf.error = QStringLiteral("track %1 is cut short").arg(smf.trackCount);
            return smf;
        }
        for (const auto &[key, open] : sounding)
            smf.hangingNotes += int(open.size());
        pos += 8 + length;
    }
    if (smf.trackCount != declaredTracks)
        smf.error = QStringLiteral("header names %1 tracks, file has %2")
                        .arg(declaredTracks)
                        .arg(smf.trackCount);
    return smf;
}

} // namespace testing
