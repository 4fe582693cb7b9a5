// Writes the game's two tunes as Standard MIDI Files into the given folder.
#include "tunes.h"

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

namespace
{

bool writeFile(const std::string &path, const tunes::Song &song)
{
    const std::vector<std::uint8_t> bytes = tunes::toMidiFile(song);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    try {
        const std::string folder = argv[1];
        if (!writeFile(folder + "/ZnIntro.mus", tunes::introTune()) ||
            !writeFile(folder + "/ZnGame.mus", tunes::gameTune())) {
            std::fprintf(stderr, "cannot write the tunes into %s\n", folder.c_str());
            return 1;
        }
    } catch (const std::exception &e) {
        std::fprintf(stderr, "tune generator: %s\n", e.what());
        return 1;
    }
    return 0;
}
