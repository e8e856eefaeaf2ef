#include "SieveRandom.h"

#include <QTime>

#include <atomic>

SieveRandom::SieveRandom(std::uint32_t seed)
    : engine_(seed)
{
}

SieveRandom SieveRandom::fromTimeOfDay()
{
    static std::atomic<std::uint32_t> openings{0};
    const auto millisecondsToday = static_cast<std::uint32_t>(QTime::currentTime().msecsSinceStartOfDay());
    std::seed_seq sequence{millisecondsToday, openings.fetch_add(1)};
    std::uint32_t seed = 0;
    sequence.generate(&seed, &seed + 1);
    return SieveRandom(seed);
}

float SieveRandom::next()
{
    return fromBits(static_cast<std::uint32_t>(engine_()));
}

float SieveRandom::fromBits(std::uint32_t bits)
{
    // Every 24-bit integer is exact in a float, and so is its product with
    // 2^-24: no rounding can reach 1.0.
    return static_cast<float>(bits >> 8) * (1.0f / 16777216.0f);
}
