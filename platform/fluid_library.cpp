#include "platform/fluid_library.h"

#include <dlfcn.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace platform
{

namespace
{

struct Loaded {
    std::unique_ptr<FluidSynth> functions; // null: failed, for the reason below
    QString why;
};

Loaded load(const char *library)
{
    void *handle = dlopen(library, RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return {
            nullptr,
            QStringLiteral("cannot load FluidSynth (%1)").arg(QString::fromLocal8Bit(dlerror()))};
    auto functions = std::make_unique<FluidSynth>();
#define PUZZLE_FLUID_RESOLVE(name)                                                                 \
    functions->name = reinterpret_cast<decltype(&::name)>(dlsym(handle, #name));                   \
    if (!functions->name) {                                                                        \
        dlclose(handle);                                                                           \
        return {nullptr, QStringLiteral("%1 has no function %2")                                   \
                             .arg(QString::fromLocal8Bit(library), QStringLiteral(#name))};        \
    }
    PUZZLE_FLUID_FUNCTIONS(PUZZLE_FLUID_RESOLVE)
#undef PUZZLE_FLUID_RESOLVE
    return {std::move(functions), {}};
}

} // namespace

const FluidSynth *loadFluidSynth(const char *library, QString *why)
{
    static std::mutex mutex;
    // Never destroyed: a music device left to the program's static destruction still calls
    // these functions as it ends.
    static auto *libraries = new std::map<std::string, Loaded>;
    std::lock_guard lock(mutex);
    auto found = libraries->find(library);
    if (found == libraries->end())
        found = libraries->emplace(library, load(library)).first;
    if (why)
        *why = found->second.why;
    return found->second.functions.get();
}

} // namespace platform
