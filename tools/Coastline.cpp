#include "SeaModel.h"

#include "FieldFilters.h"
#include "Noise.h"
#include "Path.h"

#include <iterator>
#include <limits>
#include <utility>
#include <vector>

namespace seagen {

Plan makePlan(Random &random)
{
    Plan p;
    p.headX = 95.0f + random.uniform(-12.0f, 12.0f);
    p.headTipRow = 272.0f + random.uniform(-12.0f, 12.0f);
    p.bayX = 300.0f + random.uniform(-15.0f, 15.0f);
    p.bayRow = 96.0f + random.uniform(-8.0f, 8.0f);
    p.bayHalf = 165.0f + random.uniform(-10.0f, 10.0f);
    p.mouthX = p.bayX + random.uniform(-12.0f, 22.0f);
    p.bankX = 392.0f + random.uniform(-18.0f, 18.0f);
    p.bankY = 418.0f + random.uniform(-14.0f, 14.0f);
    p.bankAngle = random.uniform(-0.25f, 0.25f) + 0.05f;
    p.bankCrestDepth = 23.0f + random.uniform(0.0f, 6.0f);
    p.headBase = QPointF(p.headX - 6.0f, p.coastRow(p.headX) - 35.0f);
    p.headEnd = QPointF(p.headX + 14.0f, p.headTipRow - Plan::kHeadTipHalf);
    // The rock off the point, a little to one side of the headland's axis.
    const float ux = static_cast<float>(p.headEnd.x() - p.headBase.x());
    const float uy = static_cast<float>(p.headEnd.y() - p.headBase.y());
    const float len = std::hypot(ux, uy);
    const float off = Plan::kHeadTipHalf + random.uniform(24.0f, 34.0f);
    const float side = random.uniform(4.0f, 16.0f);
    p.islet = QPointF(p.headEnd.x() + ux / len * off - uy / len * side, p.headEnd.y() + uy / len * off + ux / len * side);
    return p;
}

void drawPlan(Model &m, Random &random)
{
    m.plan = makePlan(random);
    const Plan &p = m.plan;
    const Noise coastNoise(random.next());
    const Noise beachNoise(random.next());

    m.rocky.assign(kPixels, 0.0f);
    m.steepness.assign(kPixels, 0.0f);
    float coastRows[kN];
    for (int x = 0; x < kN; ++x)
        coastRows[x] = p.coastRow(static_cast<float>(x));
    for (int y = 0; y < kN; ++y) {
        for (int x = 0; x < kN; ++x) {
            const float fx = static_cast<float>(x), fy = static_cast<float>(y);
            const float head = p.headland(fx, fy);
            const float islet = p.isletValue(fx, fy);
            const float outside = std::max(0.0f, -head);
            const float rocky = std::max(gaussian(outside, 14.0f), gaussian(std::max(0.0f, -islet), 9.0f));
            m.rocky[at(x, y)] = rocky;
            m.steepness[at(x, y)] = gaussian(outside, 70.0f);
            // Sandy shores run in smooth arcs, the rocky one is full of coves and points.
            float value = smoothMax(coastRows[x] - fy, head, 30.0f);
            const float rough = coastNoise.fbm(fx / 22.0f, fy / 22.0f, 3);
            value += (1.0f + 4.5f * rocky) * rough;
            value = std::max(value, islet + 1.5f * rough);
            m.kind[at(x, y)] = value > 0.0f ? Kind::Land : Kind::Sea;
        }
    }

    // The river comes down from the north edge, meandering, and runs straight
    // over its last stretch to open square onto the bay.
    const float mouthRow = p.coastRow(p.mouthX);
    const float phase1 = random.uniform(0.0f, 2.0f * kPi), phase2 = random.uniform(0.0f, 2.0f * kPi);
    const float sourceShift = random.uniform(-30.0f, 30.0f);
    std::vector<QPointF> riverPoints;
    for (float row = -6.0f; row <= mouthRow + 8.0f; row += 2.0f) {
        const float toMouth = mouthRow - row;
        const float taper = smoothstep(8.0f, 40.0f, toMouth);
        const float x = p.mouthX + taper * (9.0f * std::sin(2.0f * kPi * row / 70.0f + phase1)
                                            + 4.0f * std::sin(2.0f * kPi * row / 29.0f + phase2)
                                            + sourceShift * smoothstep(0.0f, mouthRow, toMouth));
        riverPoints.emplace_back(x, row);
    }
    const Path river(riverPoints);
    m.riverCover.assign(kPixels, 0.0f);
    for (int y = 0; y < std::min(kN, static_cast<int>(mouthRow) + 30); ++y) {
        for (int x = 0; x < kN; ++x) {
            if (m.kind[at(x, y)] != Kind::Land)
                continue;
            const Path::Nearest n = river.nearest(static_cast<float>(x), static_cast<float>(y));
            if (n.distance > 12.0f)
                continue;
            const float half = 2.1f + 2.0f * n.along + 0.7f * smoothstep(0.85f, 1.0f, n.along);
            m.riverCover[at(x, y)] = clamp01(half - n.distance + 0.5f);
            if (n.distance <= half)
                m.kind[at(x, y)] = Kind::River;
        }
    }

    // Water cut off from the open sea becomes land; scraps of land off the
    // coast smaller than a rock worth charting become sea.
    auto isSea = [&](int i) { return m.kind[i] == Kind::Sea; };
    auto isDry = [&](int i) { return m.kind[i] != Kind::Sea; };
    std::vector<quint8> seen(kPixels, 0);
    std::vector<int> south, north;
    for (int x = 0; x < kN; ++x) {
        if (isSea(at(x, kN - 1)))
            south.push_back(at(x, kN - 1));
        if (isDry(at(x, 0)))
            north.push_back(at(x, 0));
    }
    flood(south, seen, isSea);
    for (int i = 0; i < kPixels; ++i) {
        if (isSea(i) && !seen[i])
            m.kind[i] = Kind::Land;
    }
    std::fill(seen.begin(), seen.end(), 0);
    flood(north, seen, isDry);
    const std::vector<quint8> mainland = seen;
    for (int i = 0; i < kPixels; ++i) {
        if (!isDry(i) || seen[i])
            continue;
        const std::vector<int> island = flood({i}, seen, isDry);
        if (island.size() < 10) {
            for (int j : island)
                m.kind[j] = Kind::Sea;
        }
    }

    // The shore band: the land within a few pixels of the water, a wide low
    // sandy beach in the bays and a narrow steep one under the cliffs.
    std::vector<quint8> sea(kPixels), dry(kPixels);
    for (int i = 0; i < kPixels; ++i) {
        sea[i] = m.kind[i] == Kind::Sea;
        dry[i] = !sea[i];
    }
    std::vector<float> toSea = squaredDistanceTo(sea);
    std::vector<float> toDry = squaredDistanceTo(dry);
    m.landDistance.resize(kPixels);
    m.seaDistance.resize(kPixels);
    for (int i = 0; i < kPixels; ++i) {
        m.landDistance[i] = std::sqrt(toSea[i]);
        m.seaDistance[i] = std::sqrt(toDry[i]);
    }
    m.fields.depth.assign(kPixels, SeaAreaFields::kNotSurveyable);
    for (int y = 0; y < kN; ++y) {
        for (int x = 0; x < kN; ++x) {
            const int i = at(x, y);
            if (m.kind[i] != Kind::Land)
                continue;
            const float rocky = m.rocky[i];
            const float width = std::clamp(6.5f - 5.0f * rocky + 1.6f * beachNoise.fbm(x / 30.0f, y / 30.0f, 2), 1.5f, 9.0f);
            const float t = m.landDistance[i];
            if (t > width)
                continue;
            const float rise = (0.45f + 4.0f * rocky) * (t - 1.0f);
            m.kind[i] = Kind::Shore;
            m.fields.depth[i] = -std::clamp(roundInt(rise), 0, 75);
        }
    }

    // Landmarks.
    m.fields.headlandTip = QPoint(-1, -1);
    for (int y = 0; y < kN; ++y) {
        for (int x = std::max(0, static_cast<int>(p.headX) - 70); x < std::min(kN, static_cast<int>(p.headX) + 70); ++x) {
            if (mainland[at(x, y)] && m.kind[at(x, y)] != Kind::Sea)
                m.fields.headlandTip = QPoint(x, y);
        }
    }
    int sumX = 0, sumY = 0, count = 0, minX = kN, maxX = -1, minY = kN, maxY = -1;
    for (int y = 1; y < kN - 1; ++y) {
        for (int x = 1; x < kN - 1; ++x) {
            if (m.kind[at(x, y)] != Kind::River)
                continue;
            if (!sea[at(x - 1, y)] && !sea[at(x + 1, y)] && !sea[at(x, y - 1)] && !sea[at(x, y + 1)])
                continue;
            sumX += x;
            sumY += y;
            ++count;
            minX = std::min(minX, x);
            maxX = std::max(maxX, x);
            minY = std::min(minY, y);
            maxY = std::max(maxY, y);
        }
    }
    if (count > 0) {
        m.fields.riverMouth = QPoint((sumX + count / 2) / count, (sumY + count / 2) / count);
        m.fields.riverMouthWidth = std::max(maxX - minX, maxY - minY) + 1;
    }
}

} // namespace seagen
