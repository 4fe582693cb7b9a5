#pragma once
// Accompaniment patterns that turn a chord progression into notes for one part, so a tune
// is written as melodies, progressions and a plan of which instrument plays what.

#include "score.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tunes
{

enum class BassStyle {
    Whole,     // the bass note held for the chord
    RootFifth, // bass note, then the fifth halfway through the chord
    Walking,   // quarter notes: bass, fifth, octave, a step into the next chord
    Bounce,    // bass note on the beat, a short octave on the off-beat
};

class Arranger
{
public:
    Arranger(Song &song, std::uint32_t seed) : m_song(song), m_seed(seed) {}

    // A line of MelodyNotes starting at beat `at`; `articulation` shortens each note.
    void melody(const std::string &part, double at, const std::vector<MelodyNote> &line,
                int velocity, int transpose = 0, double articulation = 0.92);
    // Held chords of `voices` notes around `centre`, led smoothly from chord to chord.
    void pad(const std::string &part, double at, const std::vector<Chord> &chords, int centre,
             int voices, int velocity);
    // Chord tones from `low` upwards, picked by `pattern` (indices into the tones), every `step`.
    void arpeggio(const std::string &part, double at, const std::vector<Chord> &chords, int low,
                  const std::vector<int> &pattern, double step, int velocity, double ring = 1.5);
    // Short chords at the given beats of each bar (a strummed guitar, plucked strings).
    void chops(const std::string &part, double at, const std::vector<Chord> &chords, int centre,
               int voices, const std::vector<double> &beats, double length, int velocity,
               double strum = 0);
    // Left hand on the bass note, right hand rocking between the chord's tones in eighths.
    void brokenChords(const std::string &part, double at, const std::vector<Chord> &chords,
                      int centre, int velocity);
    // One long chord tone per chord (the third or the seventh), moving by the smallest step.
    void counterLine(const std::string &part, double at, const std::vector<Chord> &chords,
                     int centre, int velocity);
    void bass(const std::string &part, double at, const std::vector<Chord> &chords, BassStyle style,
              int low, int velocity);

private:
    void add(const std::string &part, double beat, double length, int pitch, int velocity);
    int accent(double beat) const; // a little weight on the strong beats
    int jitter();                  // a few steps of velocity so repeats are not mechanical
    std::vector<int> voicing(const Chord &chord, int centre, int voices) const;

    Song &m_song;
    std::uint32_t m_seed;
};

double length(const std::vector<Chord> &chords); // in beats
double length(const std::vector<MelodyNote> &line);

} // namespace tunes
