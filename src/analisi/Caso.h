#pragma once

#include <cstdint>
#include <limits>
#include <random>

// Draws that are the same on every platform: the engine is fixed by the
// standard, the ranges are drawn here rather than by a library distribution.
class Caso
{
public:
    explicit Caso(std::uint64_t seme) : motore_(seme) {}

    // Uniform on 0 .. n - 1 (n >= 1).
    std::uint64_t sotto(std::uint64_t n)
    {
        const std::uint64_t massimo = std::numeric_limits<std::uint64_t>::max();
        const std::uint64_t limite = massimo - massimo % n;
        std::uint64_t x = motore_();
        while (x >= limite)
            x = motore_();
        return x % n;
    }
    // Uniform on [0, 1).
    double uniforme() { return static_cast<double>(motore_() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 motore_;
};
