#pragma once
// Which instruments a Standard MIDI File plays: its General MIDI bank and program numbers, as
// FluidSynth will select them. The SoundFont is then read for those alone.

#include <set>
#include <tuple>
#include <vector>

namespace platform
{

inline constexpr int kPercussionBank = 128; // the bank that channel 10 plays

struct MidiPreset {
    int bank = 0; // kPercussionBank for percussion
    int program = 0;
    bool operator<(const MidiPreset &o) const
    {
        return std::tie(bank, program) < std::tie(o.bank, o.program);
    }
    bool operator==(const MidiPreset &o) const { return bank == o.bank && program == o.program; }
};
using MidiPresets = std::set<MidiPreset>;

// Every preset a channel holds when one of its notes starts. Empty when `smf` is not a
// Standard MIDI File (FluidSynth will refuse it too); a track cut short counts up to the cut.
MidiPresets presetsOfTune(const std::vector<char> &smf);

} // namespace platform
