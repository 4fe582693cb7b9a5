#include "platform/music_device.h"

#include "platform/fluid_player.h"
#include "platform/music_worker.h"

namespace platform
{

std::unique_ptr<MusicOutput> startMusicOutput()
{
    return startMusicOutput([] { return startFluidOutput(); });
}

std::unique_ptr<MusicOutput> startMusicOutput(std::function<std::unique_ptr<MusicOutput>()> make)
{
    // Calls return at once on the caller's thread; only the sound waits.
    return std::make_unique<MusicWorker>(std::move(make));
}

} // namespace platform
