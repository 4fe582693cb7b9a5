#pragma once
// FluidSynth, loaded when the music starts rather than linked into the game: it brings some
// sixty libraries of its own, which a machine without an audio device never needs, and the
// game must still start (silent) where FluidSynth is not installed.

#include <QString>

#include <fluidsynth.h>

namespace platform
{

// Every FluidSynth function the game calls, under its own name.
#define PUZZLE_FLUID_FUNCTIONS(X)                                                                  \
    X(fluid_set_log_function)                                                                      \
    X(new_fluid_settings)                                                                          \
    X(delete_fluid_settings)                                                                       \
    X(fluid_settings_setnum)                                                                       \
    X(fluid_settings_setint)                                                                       \
    X(fluid_settings_setstr)                                                                       \
    X(new_fluid_synth)                                                                             \
    X(delete_fluid_synth)                                                                          \
    X(fluid_synth_sfload)                                                                          \
    X(fluid_synth_sfunload)                                                                        \
    X(fluid_synth_add_sfloader)                                                                    \
    X(new_fluid_defsfloader)                                                                       \
    X(delete_fluid_sfloader)                                                                       \
    X(fluid_sfloader_set_callbacks)                                                                \
    X(fluid_synth_set_interp_method)                                                               \
    X(fluid_synth_process)                                                                         \
    X(fluid_synth_write_s16)                                                                       \
    X(fluid_synth_all_sounds_off)                                                                  \
    X(fluid_synth_all_notes_off)                                                                   \
    X(fluid_synth_count_midi_channels)                                                             \
    X(fluid_synth_cc)                                                                              \
    X(fluid_synth_get_active_voice_count)                                                          \
    X(new_fluid_audio_driver2)                                                                     \
    X(delete_fluid_audio_driver)                                                                   \
    X(new_fluid_player)                                                                            \
    X(delete_fluid_player)                                                                         \
    X(fluid_player_add_mem)                                                                        \
    X(fluid_player_play)                                                                           \
    X(fluid_player_get_status)

struct FluidSynth {
#define PUZZLE_FLUID_POINTER(name) decltype(&::name) name = nullptr;
    PUZZLE_FLUID_FUNCTIONS(PUZZLE_FLUID_POINTER)
#undef PUZZLE_FLUID_POINTER
};

// Loads `library` (a file name is searched for as the dynamic loader searches, LD_LIBRARY_PATH
// first) with every function above, once per name; it stays loaded until the
// program ends (FluidSynth keeps threads and type registrations that outlive its objects).
// Null when it cannot be loaded or lacks a function; then `why` says so in one phrase.
const FluidSynth *loadFluidSynth(const char *library, QString *why = nullptr);

} // namespace platform
