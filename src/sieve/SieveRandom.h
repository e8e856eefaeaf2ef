#pragma once

#include <cstdint>
#include <random>

// The sieve's random source: uniform single-precision values in [0, 1).
// A float distribution of the standard library may round up to exactly 1.0,
// which would put an organism past the free band at the sieve's edge; this
// one takes 24 random bits, so its largest value is 1 - 2^-24.
class SieveRandom
{
public:
    explicit SieveRandom(std::uint32_t seed);

    // Seeded from the time of day, as every opening of the sieve is; two
    // openings within the same millisecond still get different seeds.
    static SieveRandom fromTimeOfDay();

    float next();
    float operator()() { return next(); }

    // The value that the 32 random bits `bits` give.
    static float fromBits(std::uint32_t bits);

private:
    std::mt19937 engine_;
};
