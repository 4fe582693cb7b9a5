// Which instruments a tune plays decides what the player reads from the SoundFont: one missed
// is an instrument that stays silent, one too many costs its samples' memory.
#include "platform/tune_presets.h"

#include <QtTest>

using platform::MidiPreset;
using platform::MidiPresets;

Q_DECLARE_METATYPE(platform::MidiPresets)

namespace
{

// A Standard MIDI File from tracks written as hex events ("00 c0 05" = at once, program 5).
QByteArray smf(const QList<QByteArray> &tracks)
{
    QByteArray file = QByteArray::fromHex("4d546864 00000006 0001") + char(tracks.size() >> 8) +
                      char(tracks.size()) + QByteArray::fromHex("01e0");
    for (const QByteArray &hex : tracks) {
        const QByteArray events = QByteArray::fromHex(hex) + QByteArray::fromHex("00ff2f00");
        const auto n = quint32(events.size());
        file += "MTrk";
        file += char(n >> 24);
        file += char(n >> 16);
        file += char(n >> 8);
        file += char(n);
        file += events;
    }
    return file;
}

QString show(const MidiPresets &presets)
{
    QStringList parts;
    for (const MidiPreset &p : presets)
        parts << QStringLiteral("%1:%2").arg(p.bank).arg(p.program);
    return parts.join(u' ');
}

} // namespace

class TestTunePresets : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void presets_data();
    void presets();
};

void TestTunePresets::presets_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<MidiPresets>("expected");

    QTest::newRow("program, then a note")
        << smf({"00c005 00903c64 608030 00"}) << MidiPresets{{0, 5}};
    QTest::newRow("a channel never set up plays the grand piano")
        << smf({"00923c64"}) << MidiPresets{{0, 0}};
    QTest::newRow("a program chosen but never played is not read")
        << smf({"00c005 00c130 00913c64"}) << MidiPresets{{0, 48}};
    QTest::newRow("each program a channel plays, in turn")
        << smf({"00c005 00903c64 10c018 00903e64"}) << MidiPresets{{0, 5}, {0, 24}};
    QTest::newRow("running status carries the notes on")
        << smf({"00c049 00903c64 103e64 104064"}) << MidiPresets{{0, 73}};
    QTest::newRow("velocity 0 is a release, not a note")
        << smf({"00c005 00903c00 00c006 00903c64"}) << MidiPresets{{0, 6}};
    QTest::newRow("bank select") << smf({"00b00008 00c010 00903c64"}) << MidiPresets{{8, 16}};
    QTest::newRow("channel 10 plays the percussion bank")
        << smf({"00c910 00992440"}) << MidiPresets{{128, 16}};
    QTest::newRow("set up in one track, played in another")
        << smf({"10903c64", "00c02e"}) << MidiPresets{{0, 46}};
    QTest::newRow("meta and system events are skipped")
        << smf({"00ff0304 6c656164 00f00243 f7 00c00b 00903c64"}) << MidiPresets{{0, 11}};
    QTest::newRow("a file cut short counts up to the cut")
        << smf({"00c00c 00903c64 10c00d 00903e64"}).chopped(6) << MidiPresets{{0, 12}};
    QTest::newRow("not a tune") << QByteArray("RIFF sfbk, a SoundFont") << MidiPresets{};
    QTest::newRow("empty") << QByteArray() << MidiPresets{};
}

void TestTunePresets::presets()
{
    QFETCH(QByteArray, file);
    QFETCH(MidiPresets, expected);
    const MidiPresets found = platform::presetsOfTune(std::vector<char>(file.begin(), file.end()));
    QCOMPARE(show(found), show(expected));
}

QTEST_GUILESS_MAIN(TestTunePresets)
#include "tst_tune_presets.moc"
