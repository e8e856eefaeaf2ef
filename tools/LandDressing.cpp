#include "SeaModel.h"

#include "Noise.h"

#include <vector>

namespace seagen {

// Land relief, fields and villages only dress the chart.
void dressLand(Model &m, Random &random)
{
    const Plan &p = m.plan;
    const Noise hills(random.next()), plants(random.next());
    m.landHeight.assign(kPixels, 0.0f);
    m.vegetation.assign(kPixels, 0.0f);
    const float mouthRow = p.coastRow(p.mouthX);
    for (int y = 0; y < kN; ++y) {
        for (int x = 0; x < kN; ++x) {
            const int i = at(x, y);
            if (m.kind[i] == Kind::Sea)
                continue;
            const float t = m.landDistance[i];
            const float ridge = smoothstep(-10.0f, 30.0f, p.headland(x, y));
            const float plain = gaussian(x - p.mouthX, 42.0f) * smoothstep(40.0f, 0.0f, mouthRow - y + 20.0f);
            float h = 60.0f * (1.0f - expApprox(-t / 50.0f)) * (1.0f - 0.8f * plain) + 90.0f * ridge;
            h += 40.0f * smoothstep(5.0f, 50.0f, t) * hills.fbm(x / 60.0f, y / 60.0f, 4);
            m.landHeight[i] = std::max(h, 0.0f);
            m.vegetation[i] = smoothstep(0.0f, 0.8f, plants.fbm(x / 35.0f, y / 35.0f, 3) + 1.2f * ridge - 0.8f * plain);
        }
    }
    // A small fishing village on the east bank, just behind the beach, and its road inland.
    const float vx = p.mouthX + random.uniform(22.0f, 32.0f);
    const float vy = p.coastRow(vx) - random.uniform(16.0f, 20.0f);
    for (int k = 0; k < 26; ++k) {
        const float hx = vx + random.uniform(-16.0f, 16.0f);
        const float hy = vy + random.uniform(-8.0f, 8.0f);
        const QRectF house(hx, hy, random.uniform(2.0f, 4.0f), random.uniform(2.0f, 3.5f));
        bool clear = true;
        for (int y = static_cast<int>(house.top()) - 1; y <= static_cast<int>(house.bottom()) + 1 && clear; ++y)
            for (int x = static_cast<int>(house.left()) - 1; x <= static_cast<int>(house.right()) + 1 && clear; ++x)
                clear = x >= 0 && y >= 0 && x < kN && y < kN && m.kind[at(x, y)] == Kind::Land && m.riverCover[at(x, y)] == 0.0f;
        if (clear)
            m.houses.push_back(house);
    }
    float rx = vx, ry = vy;
    const float drift = random.uniform(0.2f, 0.6f);
    m.road.emplace_back(rx, ry);
    while (ry > -5.0f) {
        ry -= 6.0f;
        rx += drift * 6.0f * std::sin(ry / 23.0f) + 1.2f;
        m.road.emplace_back(rx, ry);
    }
}

} // namespace seagen
