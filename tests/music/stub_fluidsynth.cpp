// A library that the dynamic loader takes for FluidSynth but that has none of its functions:
// what a broken or foreign installation looks like to the game.
extern "C" int zantho_not_fluidsynth()
{
    return 0;
}
