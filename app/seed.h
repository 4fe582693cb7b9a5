#pragma once
// The seed of the run's one random engine. ZANTHO_SEED=<n> in the environment fixes it, so
// the shuffles of a reported game can be replayed exactly; without it every run has its own.

#include <QString>

#include <cstdint>
#include <optional>

namespace app
{

// The number in ZANTHO_SEED's text (decimal, no sign); nothing for any other text.
std::optional<std::uint64_t> seedFromText(const QString &text);

// ZANTHO_SEED when it holds a number, else a fresh seed, which is told on stderr so that the
// run can be replayed.
std::uint64_t runSeed();

} // namespace app
