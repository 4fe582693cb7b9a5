#include "app/seed.h"

#include <cstdio>
#include <random>

namespace app
{

std::optional<std::uint64_t> seedFromText(const QString &text)
{
    bool ok = false;
    const qulonglong seed = text.trimmed().toULongLong(&ok, 10);
    if (!ok || text.trimmed().startsWith(QLatin1Char('+')))
        return std::nullopt;
    return seed;
}

std::uint64_t runSeed()
{
    const QString given = qEnvironmentVariable("ZANTHO_SEED");
    if (const auto seed = seedFromText(given))
        return *seed;
    if (!given.isEmpty())
        std::fprintf(stderr, "Zantho Puzzle: ZANTHO_SEED=\"%s\" is not a number; ignored.\n",
                     qPrintable(given));
    std::random_device device;
    const std::uint64_t seed = (static_cast<std::uint64_t>(device()) << 32) ^ device();
    std::fprintf(stderr, "Zantho Puzzle: shuffles of this run replay with ZANTHO_SEED=%llu\n",
                 static_cast<unsigned long long>(seed));
    std::fflush(stderr);
    return seed;
}

} // namespace app
