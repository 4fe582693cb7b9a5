#include "platform/music_device.h"

#include "platform/fluid_player.h"
#include "platform/music_commands.h"
#include "platform/music_worker.h"

namespace platform
{

std::shared_ptr<MusicDevice> startMusicDevice()
{
    return startMusicDevice([] { return startFluidOutput(); });
}

std::shared_ptr<MusicDevice> startMusicDevice(std::function<std::unique_ptr<MusicOutput>()> make)
{
    // The commands are answered at once on the caller's thread; only the sound waits.
    return std::make_shared<MusicCommands>(std::make_unique<MusicWorker>(std::move(make)));
}

} // namespace platform
