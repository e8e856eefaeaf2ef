#include "FieldFilters.h"

#include <limits>

namespace seagen {

std::vector<float> squaredDistanceTo(const std::vector<quint8> &marked)
{
    constexpr double kFar = 1e20;
    std::vector<double> grid(kPixels);
    for (int i = 0; i < kPixels; ++i)
        grid[i] = marked[i] ? 0.0 : kFar;

    std::vector<double> f(kN), d(kN), z(kN + 1);
    std::vector<int> v(kN);
    constexpr double kInf = std::numeric_limits<double>::infinity();
    auto envelope = [&]() {
        int k = 0;
        v[0] = 0;
        z[0] = -kInf;
        z[1] = kInf;
        auto meet = [&](int q, int p) { return ((f[q] + double(q) * q) - (f[p] + double(p) * p)) / (2.0 * (q - p)); };
        for (int q = 1; q < kN; ++q) {
            double s = meet(q, v[k]);
            while (s <= z[k]) {
                --k;
                s = meet(q, v[k]);
            }
            ++k;
            v[k] = q;
            z[k] = s;
            z[k + 1] = kInf;
        }
        k = 0;
        for (int q = 0; q < kN; ++q) {
            while (z[k + 1] < q)
                ++k;
            const double dq = q - v[k];
            d[q] = dq * dq + f[v[k]];
        }
    };
    for (int x = 0; x < kN; ++x) {
        for (int y = 0; y < kN; ++y)
            f[y] = grid[at(x, y)];
        envelope();
        for (int y = 0; y < kN; ++y)
            grid[at(x, y)] = d[y];
    }
    std::vector<float> out(kPixels);
    for (int y = 0; y < kN; ++y) {
        for (int x = 0; x < kN; ++x)
            f[x] = grid[at(x, y)];
        envelope();
        for (int x = 0; x < kN; ++x)
            out[at(x, y)] = static_cast<float>(std::min(d[x], 1e12));
    }
    return out;
}

std::vector<float> blurred(std::vector<float> field, int radius)
{
    std::vector<float> tmp(kPixels);
    const float norm = 1.0f / (2 * radius + 1);
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < kN; ++y) {
            float sum = 0.0f;
            for (int i = -radius; i <= radius; ++i)
                sum += field[at(std::clamp(i, 0, kN - 1), y)];
            for (int x = 0; x < kN; ++x) {
                tmp[at(x, y)] = sum * norm;
                sum += field[at(std::min(x + radius + 1, kN - 1), y)] - field[at(std::max(x - radius, 0), y)];
            }
        }
        for (int x = 0; x < kN; ++x) {
            float sum = 0.0f;
            for (int i = -radius; i <= radius; ++i)
                sum += tmp[at(x, std::clamp(i, 0, kN - 1))];
            for (int y = 0; y < kN; ++y) {
                field[at(x, y)] = sum * norm;
                sum += tmp[at(x, std::min(y + radius + 1, kN - 1))] - tmp[at(x, std::max(y - radius, 0))];
            }
        }
    }
    return field;
}

} // namespace seagen
