// The game tune: a light, bouncing piece in G major that stays out of the way of a player
// who is thinking. Marimba, plucked strings and guitar carry it and keep it moving; woodwinds,
// vibraphone and electric piano take the tunes in turn. A middle part goes to C major and back.
#include "arranger.h"
#include "tunes.h"

#include <string>

namespace tunes
{

namespace
{

constexpr int kBar = 4;

const char *const kProgA = "Gmaj7 | Em7 | Cmaj7 | D | G/B | C | Am7 D7 | G";
const char *const kThemeA = "D5:.5 B4:.5 G4:.5 B4:.5 D5:1 F#5:1 | E5:1.5 D5:.5 B4:1 G4:1 |"
                            "C5:.5 E5:.5 G5:.5 E5:.5 B4:1 C5:1 | D5:1.5 C5:.5 A4:2 |"
                            "B4:.5 D5:.5 G5:1 F#5:.5 E5:.5 D5:1 | E5:.5 G5:.5 E5:.5 C5:.5 G4:2 |"
                            "A4:.5 C5:.5 E5:1 D5:.5 C5:.5 F#4:1 | G4:2 r:2 |";
const char *const kThemeA2 = "D5:.5 B4:.5 G4:.5 B4:.5 D5:1 G5:1 | E5:1.5 F#5:.5 G5:1 B4:1 |"
                             "C5:.5 E5:.5 G5:.5 A5:.5 G5:1 E5:1 | F#5:1.5 E5:.5 D5:2 |"
                             "B4:.5 D5:.5 G5:1 A5:.5 G5:.5 F#5:.5 E5:.5 | E5:1 C5:.5 E5:.5 G5:2 |"
                             "A5:.5 G5:.5 E5:.5 C5:.5 D5:.5 F#5:.5 A5:1 | G5:2 r:2 |";

const char *const kProgB = "Cmaj7 | D | Bm7 | Em7 | Am7 | Bm7 | C | Dsus4 D";
const char *const kThemeB = "E5:1 G5:.5 E5:.5 B4:2 | A4:.5 B4:.5 C5:.5 D5:.5 F#5:2 |"
                            "F#5:1 D5:1 B4:1 A4:1 | G4:1.5 B4:.5 E5:2 |"
                            "C5:1 E5:.5 C5:.5 A4:1 G4:1 | F#4:.5 A4:.5 B4:.5 D5:.5 F#5:2 |"
                            "E5:.5 D5:.5 C5:.5 D5:.5 E5:1 G5:1 | G5:2 F#5:1 r:1 |";

// A calmer, singing interlude in E minor.
const char *const kProgC = "Em | Cmaj7 | G | D/F# | Em | Cmaj7 | Am7 | D7sus4 D7";
const char *const kThemeC =
    "B4:2 E5:1 G5:1 | E5:1.5 D5:.5 C5:1 B4:1 | D5:3 B4:1 | A4:1 D5:1 F#5:2 |"
    "G5:2 F#5:1 E5:1 | E5:1 G5:1 B5:2 | A5:1.5 G5:.5 E5:1 C5:1 |"
    "D5:2 F#5:1 A5:1 |";

// The journey to C major and back.
const char *const kProgD = "C | G/B | Am7 | Em7 | Fmaj7 | C/E | Dm7 | G7";
const char *const kThemeD = "E5:.5 G5:.5 C6:1 B5:.5 A5:.5 G5:1 | D5:1.5 B4:.5 G4:2 |"
                            "A4:.5 C5:.5 E5:.5 G5:.5 A5:2 | G5:1 E5:1 D5:1 B4:1 |"
                            "A5:1.5 G5:.5 F5:1 C5:1 | G5:1 E5:1 C5:2 |"
                            "D5:.5 F5:.5 A5:.5 C6:.5 A5:1 F5:1 | G5:2 F5:1 D5:1 |";
const char *const kProgD2 = "Cmaj7 | Am7 | Fmaj7 | G | Em7 | A7 | D | D7";
const char *const kThemeD2 = "E5:1 G5:1 B5:1.5 A5:.5 | G5:1 E5:1 C5:1 E5:1 |"
                             "F5:1.5 E5:.5 C5:1 A4:1 | B4:1 D5:1 G5:2 |"
                             "G5:.5 F#5:.5 E5:.5 D5:.5 B4:2 | C#5:1 E5:1 G5:1 E5:1 |"
                             "F#5:1.5 E5:.5 D5:2 | A4:.5 B4:.5 C5:.5 D5:.5 F#5:1 A5:1 |";

const std::vector<int> kMarimbaRipple = {0, 2, 1, 3, 2, 4, 3, 1};

Part makePart(const char *name, int channel, int program, int volume, int pan, int reverb)
{
    Part p;
    p.name = name;
    p.channel = channel;
    p.program = program;
    p.volume = volume;
    p.pan = pan;
    p.reverb = reverb;
    return p;
}

// How one eight-bar phrase is played.
enum class Comp { Guitar, Pizzicato, Marimba, Piano, Pad };

struct Phrase {
    const char *progression;
    const char *theme; // nullptr: accompaniment only
    const char *lead;  // the part that plays the theme
    int transpose;
    Comp comp;
    BassStyle bass;
    const char *second = nullptr; // a second voice: doubles the theme an octave up,
                                  // or, for "Pad", a long counter-line
};

} // namespace

Song gameTune()
{
    Song song;
    song.title = "Zantho Puzzle - Game";
    song.beatsPerBar = kBar;
    song.keySharps = 1;
    song.tempi = {{0, 100}};
    song.parts = {
        makePart("Marimba", 0, 12, 92, 50, 40),       makePart("Clarinet", 1, 71, 82, 76, 40),
        makePart("Flute", 2, 73, 80, 70, 50),         makePart("Pizzicato", 3, 45, 80, 84, 40),
        makePart("Guitar", 4, 24, 84, 40, 40),        makePart("Pad", 5, 89, 62, 64, 60),
        makePart("Bass", 6, 32, 92, 64, 20),          makePart("Vibraphone", 7, 11, 80, 56, 50),
        makePart("Electric piano", 8, 4, 86, 60, 40), makePart("Oboe", 10, 68, 76, 72, 45),
    };
    Arranger a(song, 19031998u);

    using B = BassStyle;
    const Phrase plan[] = {
        {kProgA, kThemeA, "Marimba", 0, Comp::Guitar, B::RootFifth},
        {kProgA, kThemeA2, "Marimba", 0, Comp::Guitar, B::RootFifth},
        {kProgB, kThemeB, "Clarinet", 0, Comp::Pizzicato, B::Bounce},
        {kProgA, kThemeA2, "Flute", 0, Comp::Marimba, B::RootFifth},
        {kProgC, kThemeC, "Flute", 0, Comp::Pad, B::Whole},
        {kProgC, kThemeC, "Clarinet", -12, Comp::Guitar, B::RootFifth, "Pad"},
        {kProgA, kThemeA, "Marimba", 0, Comp::Guitar, B::Walking},
        {kProgA, kThemeA2, "Vibraphone", 0, Comp::Pizzicato, B::Walking},
        {kProgD, kThemeD, "Electric piano", 0, Comp::Pizzicato, B::Bounce},
        {kProgD2, kThemeD2, "Electric piano", 0, Comp::Pizzicato, B::Bounce},
        {kProgB, kThemeB, "Guitar", 0, Comp::Pad, B::RootFifth},
        {kProgA, kThemeA2, "Flute", 0, Comp::Marimba, B::RootFifth, "Pad"},
        {kProgA, nullptr, nullptr, 0, Comp::Marimba, B::Bounce},
        {kProgC, kThemeC, "Oboe", 0, Comp::Guitar, B::Whole},
        {kProgB, kThemeB, "Clarinet", 0, Comp::Piano, B::Bounce},
        {kProgA, kThemeA, "Marimba", 0, Comp::Guitar, B::Walking, "Flute"},
        {kProgD, kThemeD, "Vibraphone", 0, Comp::Guitar, B::Bounce},
        {kProgD2, kThemeD2, "Oboe", 0, Comp::Marimba, B::Bounce, "Pad"},
        {kProgA, kThemeA, "Electric piano", 0, Comp::Pizzicato, B::Walking},
        {kProgA, kThemeA2, "Marimba", 0, Comp::Guitar, B::RootFifth, "Flute"},
    };

    double at = 0;
    // Four bars of marimba, then the bass joins, to set the pulse.
    const auto intro = parseProgression("Gmaj7 | Em7 | Cmaj7 | D", kBar);
    a.arpeggio("Marimba", at, intro, 55, kMarimbaRipple, 0.5, 60, 0.45);
    a.bass("Bass", at + 2 * kBar, std::vector<Chord>(intro.begin() + 2, intro.end()), B::RootFifth,
           38, 66);
    at += 4 * kBar;

    for (const Phrase &p : plan) {
        const auto prog = parseProgression(p.progression, kBar);
        if (p.theme) {
            const auto theme = parseMelody(p.theme, kBar);
            const std::string lead = p.lead;
            const bool plucked = lead == "Marimba" || lead == "Vibraphone" ||
                                 lead == "Electric piano" || lead == "Guitar";
            a.melody(lead, at, theme, plucked ? 84 : 78, p.transpose, plucked ? 0.9 : 0.94);
            if (p.second && std::string(p.second) == "Pad")
                a.counterLine("Pad", at, prog, 62, 54);
            else if (p.second)
                a.melody(p.second, at, theme, 58, p.transpose + 12, 0.92);
        }
        switch (p.comp) {
        case Comp::Guitar:
            a.chops("Guitar", at, prog, 57, 4, {0, 1.5, 2}, 0.9, 52, 0.012);
            break;
        case Comp::Pizzicato:
            a.chops("Pizzicato", at, prog, 62, 3, {1}, 0.5, 56);
            break;
        case Comp::Marimba:
            a.arpeggio("Marimba", at, prog, 55, kMarimbaRipple, 0.5, 54, 0.45);
            break;
        case Comp::Piano:
            a.brokenChords("Electric piano", at, prog, 62, 50);
            break;
        case Comp::Pad:
            a.pad("Pad", at, prog, 60, 3, 48);
            a.arpeggio("Guitar", at, prog, 50, {0, 2, 3, 4, 5, 4, 3}, 0.5, 46, 1.2);
            break;
        }
        a.bass("Bass", at, prog, p.bass, 38, 70);
        at += 8 * kBar;
    }

    // The close: a cadence and a held chord that dies away.
    const auto close = parseProgression("C | D7sus4 D7 | G", kBar);
    a.melody("Marimba", at, parseMelody("E5:1 G5:1 C6:2 | A5:1 C6:1 F#5:2 | G5:4", kBar), 80, 0,
             0.9);
    a.chops("Guitar", at, close, 57, 4, {0}, 1.8, 50, 0.02);
    a.pad("Pad", at, close, 60, 3, 44);
    a.bass("Bass", at, close, B::Whole, 38, 66);
    song.tempi.push_back({at + kBar, 94});
    song.tempi.push_back({at + 2 * kBar, 86});

    fitToSeconds(song, kLastNoteSeconds);
    song.endSeconds = kTuneSeconds;
    return song;
}

} // namespace tunes
