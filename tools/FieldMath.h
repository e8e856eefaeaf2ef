#pragma once

#include "SeaArea.h"
#include "SplitMix64.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

// The small arithmetic every stage of the sea area shares.
namespace seagen {

constexpr int kN = SeaAreaFields::kSize;
constexpr int kPixels = kN * kN;
constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kSpecies = 12;
constexpr int kMaxCount = 63;

constexpr int at(int x, int y) { return y * kN + x; }

inline float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
inline float mix(float a, float b, float t) { return a + (b - a) * t; }

inline float smoothstep(float e0, float e1, float v)
{
    const float t = clamp01((v - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

// The per-pixel loops use these rather than <cmath> calls: a picture needs
// no more precision, the bits come out the same everywhere, and a library
// call per pixel made the generator several times slower.
inline int floorInt(float v)
{
    const int i = static_cast<int>(v);
    return v < static_cast<float>(i) ? i - 1 : i;
}

inline float expApprox(float v)
{
    // 2^t = 2^whole * 2^f with |f| <= 1/2, the fraction by a Cephes polynomial.
    const float t = std::clamp(v, -87.0f, 88.0f) * 1.44269504f;
    const int whole = floorInt(t + 0.5f);
    const float f = t - static_cast<float>(whole);
    float p = 1.535336188e-4f;
    p = p * f + 1.339887440e-3f;
    p = p * f + 9.618437357e-3f;
    p = p * f + 5.550332471e-2f;
    p = p * f + 2.402264791e-1f;
    p = p * f + 6.931472028e-1f;
    p = p * f + 1.0f;
    return p * std::bit_cast<float>(static_cast<std::uint32_t>(whole + 127) << 23);
}

// Natural logarithm of a positive normal number.
inline float logApprox(float v)
{
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(v);
    const int exponent = static_cast<int>((bits >> 23) & 0xFF) - 127;
    const float mantissa = std::bit_cast<float>((bits & 0x7FFFFFu) | 0x3F800000u); // 1..2
    const float s = (mantissa - 1.0f) / (mantissa + 1.0f);
    const float s2 = s * s;
    const float series = s * (2.0f + s2 * (2.0f / 3.0f + s2 * (2.0f / 5.0f + s2 * (2.0f / 7.0f + s2 * (2.0f / 9.0f)))));
    return static_cast<float>(exponent) * 0.693147181f + series;
}

inline float gaussian(float distance, float sigma)
{
    return expApprox(-distance * distance / (2.0f * sigma * sigma));
}

inline int roundInt(float v) { return floorInt(v + 0.5f); }

// A smooth union of two implicit shapes (positive inside), so that the
// headland grows out of the coast without a crease.
inline float smoothMax(float a, float b, float k)
{
    const float h = std::max(k - std::abs(a - b), 0.0f) / k;
    return std::max(a, b) + h * h * k * 0.25f;
}

using Random = SplitMix64;

} // namespace seagen
