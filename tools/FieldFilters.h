#pragma once

#include "FieldMath.h"

#include <vector>

// Whole-raster operations on 512 x 512 fields.
namespace seagen {

// Exact squared Euclidean distance to the nearest marked pixel
// (Felzenszwalb and Huttenlocher: one parabola envelope per column, then per row).
std::vector<float> squaredDistanceTo(const std::vector<quint8> &marked);

// Three box passes come close to a Gaussian of sigma ~ radius.
std::vector<float> blurred(std::vector<float> field, int radius);

// Marks in `seen` the 4-connected pixels reached from `start` through pixels
// where `belongs` holds, and returns them.
template <typename Belongs>
std::vector<int> flood(std::vector<int> start, std::vector<quint8> &seen, Belongs belongs)
{
    std::vector<int> reached;
    std::vector<int> stack;
    for (int i : start) {
        if (!seen[i] && belongs(i)) {
            seen[i] = 1;
            stack.push_back(i);
        }
    }
    while (!stack.empty()) {
        const int i = stack.back();
        stack.pop_back();
        reached.push_back(i);
        const int x = i % kN, y = i / kN;
        const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
        for (const auto &n : next) {
            if (n[0] < 0 || n[0] >= kN || n[1] < 0 || n[1] >= kN)
                continue;
            const int j = at(n[0], n[1]);
            if (!seen[j] && belongs(j)) {
                seen[j] = 1;
                stack.push_back(j);
            }
        }
    }
    return reached;
}

} // namespace seagen
