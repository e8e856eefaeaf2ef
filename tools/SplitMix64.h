#pragma once

#include <QtGlobal>

// The generator's only randomness: splitmix64, small, fast and the same on
// every platform, so one seed always gives the same sea area.
class SplitMix64
{
public:
    explicit SplitMix64(quint64 seed) : state_(seed) {}

    // The splitmix finaliser alone: a good hash of one 64-bit value.
    static quint64 mix(quint64 z)
    {
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    quint64 next() { return mix(state_ += 0x9E3779B97F4A7C15ull); }
    // Uniform in [0, 1) with 53 random bits.
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    float uniform(float lo, float hi) { return lo + (hi - lo) * static_cast<float>(uniform()); }

private:
    quint64 state_ = 0;
};
