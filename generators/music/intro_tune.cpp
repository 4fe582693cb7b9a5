// The menu tune: an unhurried theme in D major for electric piano, flute, harp and strings, with a
// minor-coloured second theme and a floating bridge. Instruments take turns so that seven
// minutes in the menu do not wear thin.
#include "arranger.h"
#include "tunes.h"

namespace tunes
{

namespace
{

constexpr int kBar = 4;

// The main theme and its closing answer.
const char *const kProgA = "Dmaj7 | Gmaj7 | Bm7 | Asus4 A | G | D/F# | Em7 | A7sus4 A7";
const char *const kProgA2 = "Dmaj7 | Gmaj7 | Bm7 | Asus4 A | G | D/F# | Em7 A7 | D";
const char *const kThemeA = "F#5:1.5 E5:.5 D5:1 A4:1 | B4:1.5 C#5:.5 D5:1 F#5:1 |"
                            "F#5:1 E5:.5 D5:.5 B4:2 | D5:2 C#5:2 |"
                            "B4:1.5 D5:.5 G5:1 F#5:.5 E5:.5 | F#5:1.5 A5:.5 F#5:1 D5:1 |"
                            "E5:1 G5:1 F#5:.5 E5:.5 D5:1 | E5:2 C#5:2 |";
const char *const kThemeA2 = "F#5:1.5 E5:.5 D5:1 A4:1 | B4:1.5 C#5:.5 D5:1 F#5:1 |"
                             "F#5:1 E5:.5 D5:.5 B4:2 | D5:2 C#5:2 |"
                             "B4:1 D5:1 G5:1.5 F#5:.5 | F#5:1 E5:.5 D5:.5 A4:2 |"
                             "G5:1 F#5:.5 E5:.5 E5:1 C#5:1 | D5:4 |";

// The second theme leans on B minor.
const char *const kProgB = "Bm | G | D | A | Bm | Em7 | G | Asus4 A";
const char *const kThemeB = "D5:1 C#5:.5 B4:.5 F#4:2 | G4:1 A4:.5 B4:.5 D5:2 |"
                            "A4:1 D5:1 F#5:1.5 E5:.5 | E5:2 C#5:1 A4:1 |"
                            "B4:1 D5:1 F#5:1 E5:.5 D5:.5 | E5:1.5 D5:.5 B4:1 G4:1 |"
                            "D5:1 B4:1 G5:1 F#5:.5 E5:.5 | A4:1 D5:1 C#5:2 |";

// The bridge floats over the subdominant.
const char *const kProgC = "Gmaj7 | F#m7 | Em7 | Dmaj7 | Gmaj7 | F#m7 | Em7 | A7sus4 A7";
const char *const kThemeC = "B5:2 A5:1 F#5:1 | A5:2 E5:1 C#5:1 | G5:1.5 F#5:.5 E5:1 B4:1 |"
                            "C#5:1 D5:1 F#5:2 | B5:1 A5:.5 G5:.5 F#5:1 D5:1 |"
                            "C#5:1.5 E5:.5 A5:2 | G5:1 F#5:1 E5:1 D5:1 |"
                            "E5:2 r:.5 A4:.5 C#5:.5 E5:.5 |";

// A rippling figure of eighths over two octaves of the chord, and a calmer one in quarters.
const std::vector<int> kWave = {0, 1, 2, 3, 4, 5, 4, 3, 2, 3, 4, 5, 6, 5, 4, 2};
const std::vector<int> kSteps = {0, 2, 4, 3};
// A harp string rings on for seconds after it is let go, and every ringing string costs the
// synthesiser a voice: the harp plays slowly, and only in the fullest statement and the close.
constexpr double kHarpRing = 0.6;

Part makePart(const char *name, int channel, int program, int volume, int pan, int reverb,
              int chorus = 0)
{
    Part p;
    p.name = name;
    p.channel = channel;
    p.program = program;
    p.volume = volume;
    p.pan = pan;
    p.reverb = reverb;
    p.chorus = chorus;
    return p;
}

} // namespace

Song introTune()
{
    Song song;
    song.title = "Zantho Puzzle - Menu";
    song.beatsPerBar = kBar;
    song.keySharps = 2;
    song.tempi = {{0, 72}};
    song.parts = {
        makePart("Piano", 0, 4, 100, 58, 50),        makePart("Flute", 1, 73, 84, 74, 60),
        makePart("Harp", 2, 46, 86, 42, 60),         makePart("Strings", 3, 50, 76, 82, 70),
        makePart("Warm pad", 4, 89, 64, 64, 60, 20), makePart("Bass", 5, 32, 92, 64, 30),
        makePart("Vibraphone", 6, 11, 86, 54, 60),   makePart("Clarinet", 7, 71, 84, 70, 50),
        makePart("Bassoon", 8, 70, 82, 48, 50),      makePart("Guitar", 10, 24, 84, 36, 50),
    };
    Arranger a(song, 20240611u);

    const auto progA = parseProgression(kProgA, kBar);
    const auto progA2 = parseProgression(kProgA2, kBar);
    const auto progB = parseProgression(kProgB, kBar);
    const auto progC = parseProgression(kProgC, kBar);
    const auto themeA = parseMelody(kThemeA, kBar);
    const auto themeA2 = parseMelody(kThemeA2, kBar);
    const auto themeB = parseMelody(kThemeB, kBar);
    const auto themeC = parseMelody(kThemeC, kBar);
    const double phrase = 8 * kBar;

    double at = 0;
    // Guitar and strings set the scene before the theme comes in.
    a.arpeggio("Guitar", at, progA, 50, kWave, 0.5, 56);
    a.pad("Strings", at, progA, 62, 3, 44);
    a.bass("Bass", at + 4 * kBar, std::vector<Chord>(progA.begin() + 5, progA.end()),
           BassStyle::Whole, 38, 60);
    at += phrase;

    // The theme on the piano.
    for (int i = 0; i < 2; ++i) {
        const auto &prog = i == 0 ? progA : progA2;
        a.melody("Piano", at, i == 0 ? themeA : themeA2, 80, 0, 0.97);
        a.arpeggio("Guitar", at, prog, 50, kSteps, 1.0, 54);
        a.pad("Strings", at, prog, 60, 3, 44);
        a.bass("Bass", at, prog, BassStyle::Whole, 38, 66);
        at += phrase;
    }

    // The second theme: clarinet, then flute an octave higher over the strings.
    for (int i = 0; i < 2; ++i) {
        a.melody(i == 0 ? "Clarinet" : "Flute", at, themeB, 80, i == 0 ? 0 : 12, 0.95);
        a.brokenChords("Piano", at, progB, 60, 52);
        a.bass("Bass", at, progB, BassStyle::RootFifth, 38, 64);
        if (i == 1)
            a.counterLine("Strings", at, progB, 64, 50);
        at += phrase;
    }

    // The theme again, on the flute, with a string counter-line.
    for (int i = 0; i < 2; ++i) {
        const auto &prog = i == 0 ? progA : progA2;
        a.melody("Flute", at, i == 0 ? themeA : themeA2, 80, 0, 0.95);
        a.brokenChords("Piano", at, prog, 60, 50);
        a.counterLine("Strings", at, prog, 64, 52);
        a.bass("Bass", at, prog, BassStyle::RootFifth, 38, 64);
        at += phrase;
    }

    // The bridge: vibraphone over the pad, then the cello below rippling harp.
    for (int i = 0; i < 2; ++i) {
        if (i == 0) {
            a.melody("Vibraphone", at, themeC, 80, 0, 0.9);
            a.pad("Warm pad", at, progC, 60, 3, 46);
        } else {
            a.melody("Bassoon", at, themeC, 84, -12, 0.97);
            a.arpeggio("Guitar", at, progC, 52, kWave, 0.5, 50);
            a.pad("Strings", at, progC, 64, 3, 40);
        }
        a.bass("Bass", at, progC, BassStyle::Whole, 38, 64);
        at += phrase;
    }

    // The second theme on the piano, then the clarinet with the cello beneath.
    for (int i = 0; i < 2; ++i) {
        if (i == 0) {
            a.melody("Piano", at, themeB, 82, 12, 0.97);
            a.pad("Strings", at, progB, 60, 3, 44);
        } else {
            a.melody("Clarinet", at, themeB, 80, 0, 0.95);
            a.counterLine("Bassoon", at, progB, 50, 60);
            a.arpeggio("Guitar", at, progB, 50, kSteps, 1.0, 50);
        }
        a.bass("Bass", at, progB, BassStyle::RootFifth, 38, 64);
        at += phrase;
    }

    // The fullest statement: strings with the flute an octave above.
    for (int i = 0; i < 2; ++i) {
        const auto &prog = i == 0 ? progA : progA2;
        a.melody("Strings", at, i == 0 ? themeA : themeA2, 74, 0, 1.0);
        a.melody("Flute", at, i == 0 ? themeA : themeA2, 62, 12, 0.95);
        a.arpeggio("Harp", at, prog, 50, kSteps, 1.0, 52, kHarpRing);
        a.pad("Warm pad", at, prog, 55, 3, 42);
        a.bass("Bass", at, prog, BassStyle::RootFifth, 38, 68);
        at += phrase;
    }

    // Quiet again: the bridge on the vibraphone alone with the pad.
    a.melody("Vibraphone", at, themeC, 72, 0, 0.9);
    a.pad("Warm pad", at, progC, 60, 3, 42);
    a.bass("Bass", at, progC, BassStyle::Whole, 38, 58);
    at += phrase;

    // The closing answer on the piano, slowing into the last chord.
    a.melody("Piano", at, themeA2, 76, 0, 0.97);
    a.arpeggio("Guitar", at, progA2, 50, kSteps, 1.0, 50);
    a.pad("Warm pad", at, progA2, 60, 3, 42);
    a.bass("Bass", at, progA2, BassStyle::Whole, 38, 60);
    song.tempi.push_back({at + 6 * kBar, 66});
    song.tempi.push_back({at + 7 * kBar, 60});
    at += phrase;
    const auto last = parseProgression("Dmaj9 | Dmaj9", kBar);
    a.arpeggio("Harp", at, parseProgression("Dmaj9", kBar), 50, {0, 1, 2, 3, 4, 5, 6, 7}, 0.25, 48,
               7);
    a.pad("Warm pad", at, last, 62, 3, 40);
    a.pad("Piano", at, parseProgression("D", kBar), 66, 3, 56);
    a.bass("Bass", at, parseProgression("D", kBar), BassStyle::Whole, 38, 58);
    song.tempi.push_back({at, 56});

    fitToSeconds(song, kLastNoteSeconds);
    song.endSeconds = kTuneSeconds;
    return song;
}

void fitToSeconds(Song &song, double seconds)
{
    const double factor = song.secondsAt(song.lastNoteEnd()) / seconds;
    for (TempoChange &t : song.tempi)
        t.bpm *= factor;
}

} // namespace tunes
