#pragma once
// A SoundFont as FluidSynth would see a copy holding only some of its presets: FluidSynth keeps
// every preset of a file in memory with all its zones (some 5 MB for a 6 MB General MIDI set,
// 10 MB for a 148 MB one) whatever a tune plays. The copy is never written: it is the file's
// own bytes, read in place, around a preset table rebuilt in memory.

#include "platform/tune_presets.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

typedef struct _fluid_sfloader_t fluid_sfloader_t;
typedef struct _fluid_hashtable_t fluid_settings_t;

namespace platform
{

struct FluidSynth;

// The bytes of the copy: pieces of the file and pieces held here, one after the other.
class SoundFontView
{
public:
    struct Piece {
        std::uint64_t fileOffset = 0; // where the piece starts in the file, when from the file
        std::uint64_t length = 0;
        std::string bytes; // the piece itself when it is not from the file
    };

    std::uint64_t size() const;
    // `count` bytes of the copy at `offset`, reading the file's pieces from `file`.
    bool read(std::FILE *file, std::uint64_t offset, char *out, std::uint64_t count) const;

    std::string path;
    std::vector<Piece> pieces;
};

// Where a SoundFont 2 file keeps its presets. Reads only the file's chunk headers and its preset
// table (a few kilobytes), not its samples.
class SoundFontLayout
{
public:
    // Empty, with `why` set, when `path` cannot be read or is not laid out as a SoundFont 2 file.
    static std::optional<SoundFontLayout> read(const std::string &path, std::string *why);

    MidiPresets presets() const;
    // The copy with the presets of `wanted` the file has, and for each it lacks the one
    // FluidSynth would play instead (program 0 of the percussion bank for percussion, the same
    // program in bank 0 otherwise).
    SoundFontView subset(const MidiPresets &wanted) const;

private:
    struct Header {
        MidiPreset preset;
        std::uint16_t firstBag = 0;
        std::string record; // the 38 bytes as stored
    };

    std::string m_path;
    std::uint64_t m_pdtaOffset = 0; // the "LIST" of the preset data
    std::uint64_t m_instOffset = 0; // the first chunk after the four preset chunks
    std::uint64_t m_pdtaEnd = 0;
    std::uint64_t m_riffEnd = 0;
    std::uint32_t m_riffSize = 0;
    std::vector<Header> m_headers;                  // the terminal record last
    std::string m_bags, m_modulators, m_generators; // the records as stored, terminal ones too
};

// A name that FluidSynth's loader from soundFontViewLoader() opens as `view`. The same view
// (same file, same presets) always gets the same name.
std::string nameSoundFontView(const SoundFontView &view);

// FluidSynth's own SoundFont loader, reading files through the views named above (and any
// other name as a plain file).
fluid_sfloader_t *soundFontViewLoader(const FluidSynth &fluid, fluid_settings_t *settings);

} // namespace platform
