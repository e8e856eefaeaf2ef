#pragma once

#include "FieldMath.h"

namespace seagen {

// Gradient noise on a unit lattice with its own permutation and gradients, so
// two fields drawn from different seeds are independent. fbm() sums octaves
// and comes out with a standard deviation of about 1.
class Noise {
public:
    explicit Noise(quint64 seed)
    {
        Random random(seed);
        for (int i = 0; i < 256; ++i) {
            perm_[i] = i;
            const float angle = 2.0f * kPi * static_cast<float>(random.uniform());
            gx_[i] = std::cos(angle);
            gy_[i] = std::sin(angle);
        }
        for (int i = 255; i > 0; --i)
            std::swap(perm_[i], perm_[static_cast<int>(random.next() % static_cast<quint64>(i + 1))]);
        for (int i = 0; i < 256; ++i)
            perm_[256 + i] = perm_[i];
    }

    // Raw single octave, about -0.7..0.7.
    float operator()(float x, float y) const
    {
        const int fx = floorInt(x);
        const int fy = floorInt(y);
        const int ix = fx & 255;
        const int iy = fy & 255;
        const float dx = x - static_cast<float>(fx);
        const float dy = y - static_cast<float>(fy);
        const float n00 = corner(ix, iy, dx, dy);
        const float n10 = corner(ix + 1, iy, dx - 1.0f, dy);
        const float n01 = corner(ix, iy + 1, dx, dy - 1.0f);
        const float n11 = corner(ix + 1, iy + 1, dx - 1.0f, dy - 1.0f);
        const float u = fade(dx);
        const float v = fade(dy);
        return mix(mix(n00, n10, u), mix(n01, n11, u), v);
    }

    float fbm(float x, float y, int octaves) const
    {
        float sum = 0.0f;
        float amplitude = 1.0f;
        float norm = 0.0f;
        for (int o = 0; o < octaves; ++o) {
            // Octaves are shifted so that their lattice points do not coincide.
            sum += amplitude * (*this)(x + 31.7f * o, y - 17.3f * o);
            norm += amplitude * amplitude;
            amplitude *= 0.5f;
            x *= 2.0f;
            y *= 2.0f;
        }
        return sum / (kOctaveStd * std::sqrt(norm));
    }

private:
    static float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }
    float corner(int ix, int iy, float dx, float dy) const
    {
        const int h = perm_[perm_[ix] + (iy & 255)];
        return gx_[h] * dx + gy_[h] * dy;
    }

    static constexpr float kOctaveStd = 0.22f; // measured spread of one octave
    int perm_[512];
    float gx_[256];
    float gy_[256];
};

} // namespace seagen
