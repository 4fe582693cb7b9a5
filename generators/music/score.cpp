#include "score.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace tunes
{

namespace
{

constexpr int kDivision = 480; // ticks per quarter note

[[noreturn]] void fail(const std::string &what)
{
    throw std::runtime_error(what);
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : text) {
        if (c == separator) {
            pieces.push_back(piece);
            piece.clear();
        } else {
            piece += c;
        }
    }
    pieces.push_back(piece);
    return pieces;
}

std::vector<std::string> words(const std::string &text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

int pitchClassOf(const std::string &name, std::size_t &pos)
{
    static const int natural[] = {9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (name.empty() || name[0] < 'A' || name[0] > 'G')
        fail("not a note name: " + name);
    int pc = natural[name[0] - 'A'];
    pos = 1;
    while (pos < name.size() && (name[pos] == '#' || name[pos] == 'b')) {
        pc += name[pos] == '#' ? 1 : -1;
        ++pos;
    }
    return (pc + 12) % 12;
}

struct Event {
    std::uint32_t tick;
    int order; // at one tick: note-offs before controllers before note-ons
    std::vector<std::uint8_t> bytes;
};

void putVarLen(std::vector<std::uint8_t> &out, std::uint32_t value)
{
    std::uint8_t buffer[5];
    int n = 0;
    buffer[n++] = value & 0x7f;
    while ((value >>= 7) != 0)
        buffer[n++] = static_cast<std::uint8_t>((value & 0x7f) | 0x80);
    while (n > 0)
        out.push_back(buffer[--n]);
}

void putBigEndian(std::vector<std::uint8_t> &out, std::uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::vector<std::uint8_t> metaText(int type, const std::string &text)
{
    std::vector<std::uint8_t> bytes{0xff, static_cast<std::uint8_t>(type)};
    putVarLen(bytes, static_cast<std::uint32_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    return bytes;
}

void appendTrack(std::vector<std::uint8_t> &file, std::vector<Event> events, std::uint32_t endTick)
{
    std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<std::uint8_t> data;
    std::uint32_t now = 0;
    for (const Event &e : events) {
        putVarLen(data, e.tick - now);
        now = e.tick;
        data.insert(data.end(), e.bytes.begin(), e.bytes.end());
    }
    putVarLen(data, std::max(endTick, now) - now);
    data.insert(data.end(), {0xff, 0x2f, 0x00});
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    putBigEndian(file, static_cast<std::uint32_t>(data.size()), 4);
    file.insert(file.end(), data.begin(), data.end());
}

std::uint32_t toTick(double beat)
{
    return static_cast<std::uint32_t>(std::lround(beat * kDivision));
}

std::uint8_t clamp7(int value)
{
    return static_cast<std::uint8_t>(std::clamp(value, 0, 127));
}

} // namespace

Part &Song::part(const std::string &name)
{
    for (Part &p : parts)
        if (p.name == name)
            return p;
    fail("no part " + name);
}

double Song::secondsAt(double beat) const
{
    double seconds = 0;
    for (std::size_t i = 0; i < tempi.size(); ++i) {
        const double from = tempi[i].beat;
        const double to = i + 1 < tempi.size() ? tempi[i + 1].beat : beat;
        if (beat <= from)
            break;
        seconds += (std::min(beat, to) - from) * 60.0 / tempi[i].bpm;
    }
    return seconds;
}

double Song::lastNoteEnd() const
{
    double end = 0;
    for (const Part &p : parts)
        for (const Note &n : p.notes)
            end = std::max(end, n.beat + n.length);
    return end;
}

std::vector<std::uint8_t> toMidiFile(const Song &song)
{
    // The end of the tracks, in beats: endSeconds converted through the tempo map.
    double endBeat = song.lastNoteEnd();
    if (song.endSeconds > song.secondsAt(endBeat)) {
        const double lastBpm = song.tempi.back().bpm;
        endBeat += (song.endSeconds - song.secondsAt(endBeat)) * lastBpm / 60.0;
    }
    const std::uint32_t endTick = toTick(endBeat);

    std::vector<std::uint8_t> file{'M', 'T', 'h', 'd'};
    putBigEndian(file, 6, 4);
    putBigEndian(file, 1, 2); // format 1
    putBigEndian(file, static_cast<std::uint32_t>(song.parts.size() + 1), 2);
    putBigEndian(file, kDivision, 2);

    std::vector<Event> conductor;
    conductor.push_back({0, 0, metaText(0x03, song.title)});
    conductor.push_back(
        {0, 1, {0xff, 0x58, 0x04, static_cast<std::uint8_t>(song.beatsPerBar), 2, 24, 8}});
    conductor.push_back({0, 1, {0xff, 0x59, 0x02, static_cast<std::uint8_t>(song.keySharps), 0}});
    for (const TempoChange &t : song.tempi) {
        const auto usPerBeat = static_cast<std::uint32_t>(std::lround(60'000'000.0 / t.bpm));
        std::vector<std::uint8_t> bytes{0xff, 0x51, 0x03};
        putBigEndian(bytes, usPerBeat, 3);
        conductor.push_back({toTick(t.beat), 2, bytes});
    }
    appendTrack(file, conductor, endTick);

    for (const Part &p : song.parts) {
        const auto ch = static_cast<std::uint8_t>(p.channel & 0x0f);
        std::vector<Event> events;
        events.push_back({0, 0, metaText(0x03, p.name)});
        if (p.channel != 9)
            events.push_back({0, 1, {static_cast<std::uint8_t>(0xc0 | ch), clamp7(p.program)}});
        const auto cc = [&](int controller, int value) {
            events.push_back(
                {0, 1, {static_cast<std::uint8_t>(0xb0 | ch), clamp7(controller), clamp7(value)}});
        };
        cc(7, p.volume);
        cc(10, p.pan);
        cc(91, p.reverb);
        cc(93, p.chorus);
        for (const Note &n : p.notes) {
            const std::uint32_t on = toTick(n.beat);
            const std::uint32_t off = std::max(on + 1, toTick(n.beat + n.length));
            events.push_back({on,
                              2,
                              {static_cast<std::uint8_t>(0x90 | ch), clamp7(n.pitch),
                               static_cast<std::uint8_t>(std::clamp(n.velocity, 1, 127))}});
            events.push_back(
                {off, 0, {static_cast<std::uint8_t>(0x80 | ch), clamp7(n.pitch), 0x40}});
        }
        appendTrack(file, events, endTick);
    }
    return file;
}

int pitchOf(const std::string &name)
{
    std::size_t pos = 0;
    const int pc = pitchClassOf(name, pos);
    if (pos >= name.size())
        fail("note without octave: " + name);
    const int octave = std::atoi(name.c_str() + pos);
    // Cb and B# belong to the octave of their letter.
    int pitch = (octave + 1) * 12 + pc;
    if (name[0] == 'C' && pc == 11)
        pitch -= 12;
    if (name[0] == 'B' && pc == 0)
        pitch += 12;
    return pitch;
}

std::vector<MelodyNote> parseMelody(const std::string &text, int beatsPerBar)
{
    std::vector<MelodyNote> notes;
    double now = 0;
    double barStart = 0;
    double length = 1;
    std::string spaced;
    for (char c : text)
        spaced += c == '|' ? std::string(" | ") : std::string(1, c);
    for (const std::string &w : words(spaced)) {
        if (w == "|") {
            if (std::abs(now - barStart - beatsPerBar) > 1e-9)
                fail("bar of " + std::to_string(now - barStart) + " beats in: " + text);
            barStart = now;
            continue;
        }
        const std::size_t colon = w.find(':');
        const std::string name = w.substr(0, colon);
        if (colon != std::string::npos)
            length = std::stod(w.substr(colon + 1));
        notes.push_back({now, length, name == "r" ? -1 : pitchOf(name)});
        now += length;
    }
    if (std::abs(now - barStart - beatsPerBar) > 1e-9 && now != barStart)
        fail("last bar of " + std::to_string(now - barStart) + " beats in: " + text);
    return notes;
}

std::vector<int> Chord::pitchClasses() const
{
    std::vector<int> pcs;
    for (int i : intervals)
        pcs.push_back((root + i) % 12);
    return pcs;
}

Chord parseChord(const std::string &symbol)
{
    const std::vector<std::string> slash = split(symbol, '/');
    std::size_t pos = 0;
    Chord chord;
    chord.root = pitchClassOf(slash[0], pos);
    const std::string quality = slash[0].substr(pos);
    struct Quality {
        const char *name;
        std::vector<int> intervals;
    };
    static const std::vector<Quality> qualities = {
        {"", {0, 4, 7}},           {"m", {0, 3, 7}},
        {"7", {0, 4, 7, 10}},      {"maj7", {0, 4, 7, 11}},
        {"m7", {0, 3, 7, 10}},     {"sus4", {0, 5, 7}},
        {"sus2", {0, 2, 7}},       {"add9", {0, 4, 7, 14}},
        {"7sus4", {0, 5, 7, 10}},  {"6", {0, 4, 7, 9}},
        {"m6", {0, 3, 7, 9}},      {"dim", {0, 3, 6}},
        {"m9", {0, 3, 7, 10, 14}}, {"maj9", {0, 4, 7, 11, 14}},
    };
    const auto q = std::find_if(qualities.begin(), qualities.end(),
                                [&](const Quality &k) { return quality == k.name; });
    if (q == qualities.end())
        fail("unknown chord: " + symbol);
    chord.intervals = q->intervals;
    chord.bass = chord.root;
    if (slash.size() > 1)
        chord.bass = pitchClassOf(slash[1], pos);
    return chord;
}

std::vector<Chord> parseProgression(const std::string &text, int beatsPerBar)
{
    std::vector<Chord> chords;
    double barStart = 0;
    for (const std::string &bar : split(text, '|')) {
        const std::vector<std::string> symbols = words(bar);
        if (symbols.empty())
            fail("empty bar in: " + text);
        const double each = static_cast<double>(beatsPerBar) / symbols.size();
        for (std::size_t i = 0; i < symbols.size(); ++i) {
            Chord c = parseChord(symbols[i]);
            c.offset = barStart + each * i;
            c.length = each;
            chords.push_back(c);
        }
        barStart += beatsPerBar;
    }
    return chords;
}

} // namespace tunes
