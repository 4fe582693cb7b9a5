#include "arranger.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tunes
{

namespace
{

std::vector<int> tonesBetween(const Chord &chord, int low, int high)
{
    const std::vector<int> pcs = chord.pitchClasses();
    std::vector<int> tones;
    for (int p = low; p <= high; ++p)
        if (std::find(pcs.begin(), pcs.end(), p % 12) != pcs.end())
            tones.push_back(p);
    return tones;
}

int nearestWithClass(int pc, int target)
{
    int best = target;
    int bestDistance = std::numeric_limits<int>::max();
    for (int p = target - 12; p <= target + 12; ++p) {
        if (((p % 12) + 12) % 12 == pc && std::abs(p - target) < bestDistance) {
            best = p;
            bestDistance = std::abs(p - target);
        }
    }
    return best;
}

} // namespace

double length(const std::vector<Chord> &chords)
{
    return chords.empty() ? 0 : chords.back().offset + chords.back().length;
}

double length(const std::vector<MelodyNote> &line)
{
    return line.empty() ? 0 : line.back().offset + line.back().length;
}

void Arranger::add(const std::string &part, double beat, double length, int pitch, int velocity)
{
    m_song.part(part).notes.push_back({beat, length, pitch, std::clamp(velocity, 1, 127)});
}

int Arranger::accent(double beat) const
{
    const double inBar = std::fmod(beat, m_song.beatsPerBar);
    if (inBar < 1e-6)
        return 6;
    if (std::abs(inBar - std::round(inBar)) > 1e-6)
        return -4;
    return static_cast<int>(std::lround(inBar)) % 2 == 0 ? 3 : 0;
}

int Arranger::jitter()
{
    m_seed = m_seed * 1664525u + 1013904223u;
    return static_cast<int>((m_seed >> 24) % 7) - 3;
}

std::vector<int> Arranger::voicing(const Chord &chord, int centre, int voices) const
{
    const std::vector<int> tones = tonesBetween(chord, centre - 14, centre + 14);
    std::vector<int> best;
    double bestDistance = std::numeric_limits<double>::max();
    for (std::size_t i = 0; i + voices <= tones.size(); ++i) {
        double sum = 0;
        for (int k = 0; k < voices; ++k)
            sum += tones[i + k];
        const double distance = std::abs(sum / voices - centre);
        if (distance < bestDistance) {
            bestDistance = distance;
            best.assign(tones.begin() + i, tones.begin() + i + voices);
        }
    }
    return best;
}

void Arranger::melody(const std::string &part, double at, const std::vector<MelodyNote> &line,
                      int velocity, int transpose, double articulation)
{
    for (const MelodyNote &n : line) {
        if (n.pitch < 0)
            continue;
        const double beat = at + n.offset;
        // Long notes sing a little louder; quick passing notes stay light.
        const int weight = n.length >= 2 ? 4 : (n.length < 1 ? -3 : 0);
        add(part, beat, n.length * articulation, n.pitch + transpose,
            velocity + accent(beat) + weight + jitter());
    }
}

void Arranger::pad(const std::string &part, double at, const std::vector<Chord> &chords, int centre,
                   int voices, int velocity)
{
    double leading = centre;
    for (const Chord &c : chords) {
        const int target = static_cast<int>(std::lround((leading + centre) / 2));
        const std::vector<int> notes = voicing(c, target, voices);
        double sum = 0;
        for (int p : notes) {
            add(part, at + c.offset, c.length, p, velocity + jitter());
            sum += p;
        }
        if (!notes.empty())
            leading = sum / notes.size();
    }
}

void Arranger::arpeggio(const std::string &part, double at, const std::vector<Chord> &chords,
                        int low, const std::vector<int> &pattern, double step, int velocity,
                        double ring)
{
    for (const Chord &c : chords) {
        const std::vector<int> tones = tonesBetween(c, low, low + 30);
        const int steps = static_cast<int>(std::lround(c.length / step));
        for (int i = 0; i < steps; ++i) {
            const int index = pattern[i % pattern.size()];
            if (index < 0 || tones.empty())
                continue;
            const int pitch = tones[std::min<std::size_t>(index, tones.size() - 1)];
            const double beat = at + c.offset + i * step;
            const double remaining = c.length - i * step;
            add(part, beat, std::min(ring, remaining), pitch, velocity + accent(beat) + jitter());
        }
    }
}

void Arranger::chops(const std::string &part, double at, const std::vector<Chord> &chords,
                     int centre, int voices, const std::vector<double> &beats, double length,
                     int velocity, double strum)
{
    const int bar = m_song.beatsPerBar;
    for (const Chord &c : chords) {
        const std::vector<int> notes = voicing(c, centre, voices);
        for (double b : beats) {
            // Each bar's hits belong to the chord that sounds at that moment.
            for (double barStart = std::floor(c.offset / bar) * bar; barStart < c.offset + c.length;
                 barStart += bar) {
                const double local = barStart + b;
                if (local < c.offset - 1e-9 || local >= c.offset + c.length - 1e-9)
                    continue;
                for (std::size_t k = 0; k < notes.size(); ++k) {
                    const double beat = at + local + strum * k;
                    add(part, beat, length, notes[k], velocity + accent(at + local) + jitter());
                }
            }
        }
    }
}

void Arranger::brokenChords(const std::string &part, double at, const std::vector<Chord> &chords,
                            int centre, int velocity)
{
    for (const Chord &c : chords) {
        const int bassNote = nearestWithClass(c.bass, centre - 17);
        add(part, at + c.offset, c.length, bassNote, velocity + 4 + jitter());
        const std::vector<int> upper = voicing(c, centre, 3);
        if (upper.size() < 3)
            continue;
        // low - high - middle - high, the rocking figure of a classical left hand
        const int order[] = {0, 2, 1, 2};
        const int steps = static_cast<int>(std::lround(c.length / 0.5));
        for (int i = 1; i < steps; ++i) {
            const double beat = at + c.offset + i * 0.5;
            add(part, beat, 0.6, upper[order[i % 4]], velocity - 8 + accent(beat) + jitter());
        }
    }
}

void Arranger::counterLine(const std::string &part, double at, const std::vector<Chord> &chords,
                           int centre, int velocity)
{
    int previous = centre;
    for (const Chord &c : chords) {
        const std::vector<int> pcs = c.pitchClasses();
        // The colour tones (third, seventh) give the line its shape; the root would double the
        // bass.
        std::vector<int> candidates;
        for (std::size_t i = 1; i < pcs.size(); ++i)
            if (c.intervals[i] != 7)
                candidates.push_back(pcs[i]);
        if (candidates.empty())
            candidates.push_back(pcs[0]);
        int best = previous;
        int bestDistance = std::numeric_limits<int>::max();
        for (int pc : candidates) {
            const int p = nearestWithClass(pc, previous);
            const int distance = std::abs(p - previous) + std::abs(p - centre) / 3;
            if (distance < bestDistance) {
                best = p;
                bestDistance = distance;
            }
        }
        add(part, at + c.offset, c.length * 0.98, best, velocity + jitter());
        previous = best;
    }
}

void Arranger::bass(const std::string &part, double at, const std::vector<Chord> &chords,
                    BassStyle style, int low, int velocity)
{
    for (std::size_t i = 0; i < chords.size(); ++i) {
        const Chord &c = chords[i];
        const int root = nearestWithClass(c.bass, low + 6);
        const int fifth = nearestWithClass((c.root + 7) % 12, root + 5);
        const double start = at + c.offset;
        switch (style) {
        case BassStyle::Whole:
            add(part, start, c.length * 0.96, root, velocity + jitter());
            break;
        case BassStyle::RootFifth:
            if (c.length >= 2) {
                add(part, start, c.length / 2 * 0.9, root, velocity + jitter());
                add(part, start + c.length / 2, c.length / 2 * 0.9, fifth, velocity - 6 + jitter());
            } else {
                add(part, start, c.length * 0.9, root, velocity + jitter());
            }
            break;
        case BassStyle::Walking: {
            const int next =
                i + 1 < chords.size() ? nearestWithClass(chords[i + 1].bass, root) : root;
            const int steps = static_cast<int>(std::lround(c.length));
            for (int k = 0; k < steps; ++k) {
                int pitch = root;
                if (k == steps - 1 && steps > 1)
                    pitch = next > root ? next - 1 : next + 1; // lean into the next chord
                else if (k % 2 == 1)
                    pitch = fifth;
                add(part, start + k, 0.85, pitch, velocity - (k % 2 ? 8 : 0) + jitter());
            }
            break;
        }
        case BassStyle::Bounce: {
            const int steps = static_cast<int>(std::lround(c.length));
            for (int k = 0; k < steps; ++k) {
                add(part, start + k, 0.45, k % 2 ? fifth : root,
                    velocity - (k % 2 ? 6 : 0) + jitter());
                if (k % 2 == 1)
                    add(part, start + k + 0.5, 0.3, root + 12, velocity - 14 + jitter());
            }
            break;
        }
        }
    }
}

} // namespace tunes
