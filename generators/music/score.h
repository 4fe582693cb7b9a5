#pragma once
// A small score model for writing our tunes as note data: melodies and chord progressions
// are written as short texts, accompaniment patterns turn chords into notes, and the
// result is written as a Standard MIDI File.

#include <cstdint>
#include <string>
#include <vector>

namespace tunes
{

struct Note {
    double beat = 0;   // start, in quarter notes from the beginning of the song
    double length = 1; // in quarter notes
    int pitch = 60;    // MIDI key number
    int velocity = 80; // 1 ..= 127
};

// One General MIDI instrument on its own channel and track.
struct Part {
    std::string name;
    int channel = 0;  // 0 ..= 15; 9 is percussion
    int program = 0;  // General MIDI program, 0-based
    int volume = 100; // controller 7
    int pan = 64;     // controller 10, 64 = centre
    int reverb = 40;  // controller 91
    int chorus = 0;   // controller 93
    std::vector<Note> notes;
};

struct TempoChange {
    double beat = 0;
    double bpm = 120;
};

struct Song {
    std::string title;
    int beatsPerBar = 4;
    int keySharps = 0;              // key signature, for readers that show it
    std::vector<TempoChange> tempi; // the first one at beat 0
    std::vector<Part> parts;
    double endSeconds = 0; // end of the tracks; 0: just after the last note

    Part &part(const std::string &name);
    double secondsAt(double beat) const;
    double lastNoteEnd() const; // in beats
};

// The file as bytes: format 1, one tempo track, then one track per part.
std::vector<std::uint8_t> toMidiFile(const Song &song);

// ---- Notation ------------------------------------------------------------------------

// "C4" = 60; accepts "F#5", "Bb3".
int pitchOf(const std::string &name);

// A melody such as "F#5:1.5 E5:.5 D5 A4 | B4:2 r:2": pitch or "r" (rest), an optional
// ":beats" that holds until changed. "|" marks a bar line and checks that the bar is full.
struct MelodyNote {
    double offset; // from the phrase start, in beats
    double length;
    int pitch; // -1 for a rest
};
std::vector<MelodyNote> parseMelody(const std::string &text, int beatsPerBar);

// A chord symbol: root, quality and an optional bass ("Dmaj7", "A7sus4", "D/F#", "Bm7").
struct Chord {
    int root = 0;               // pitch class
    std::vector<int> intervals; // above the root, the root (0) first
    int bass = 0;               // pitch class of the bass note
    double offset = 0;          // from the phrase start, in beats
    double length = 4;
    std::vector<int> pitchClasses() const;
};
Chord parseChord(const std::string &symbol);

// Bars separated by "|", each holding one or more chords that share the bar equally.
std::vector<Chord> parseProgression(const std::string &text, int beatsPerBar);

} // namespace tunes
