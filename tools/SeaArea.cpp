// The sea area is built as a few smooth fields laid over a fixed plan: land
// to the north with a rocky headland on the west, a sandy bay with a river
// mouth, a straight sandy coast to the east, an offshore bank to the south-east
// and the drowned river valley running south. The seed moves the landmarks a
// little and draws all the small-scale detail, so every seed gives the same
// kind of area for the same lesson.
#include "SeaArea.h"

#include "SplitMix64.h"

#include "MapColour.h"

#include <QFont>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QPointF>
#include <QPolygonF>
#include <QString>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <limits>
#include <numbers>
#include <utility>
#include <vector>

namespace {

constexpr int kN = SeaAreaFields::kSize;
constexpr int kPixels = kN * kN;
constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kSpecies = 12;
constexpr int kMaxCount = 63;

constexpr int at(int x, int y) { return y * kN + x; }

float clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }
float mix(float a, float b, float t) { return a + (b - a) * t; }

float smoothstep(float e0, float e1, float v)
{
    const float t = clamp01((v - e0) / (e1 - e0));
    return t * t * (3.0f - 2.0f * t);
}

// The per-pixel loops use these rather than <cmath> calls: a picture needs
// no more precision, the bits come out the same everywhere, and a library
// call per pixel made the generator several times slower.
int floorInt(float v)
{
    const int i = static_cast<int>(v);
    return v < static_cast<float>(i) ? i - 1 : i;
}

float expApprox(float v)
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
float logApprox(float v)
{
    const std::uint32_t bits = std::bit_cast<std::uint32_t>(v);
    const int exponent = static_cast<int>((bits >> 23) & 0xFF) - 127;
    const float mantissa = std::bit_cast<float>((bits & 0x7FFFFFu) | 0x3F800000u); // 1..2
    const float s = (mantissa - 1.0f) / (mantissa + 1.0f);
    const float s2 = s * s;
    const float series = s * (2.0f + s2 * (2.0f / 3.0f + s2 * (2.0f / 5.0f + s2 * (2.0f / 7.0f + s2 * (2.0f / 9.0f)))));
    return static_cast<float>(exponent) * 0.693147181f + series;
}

float gaussian(float distance, float sigma)
{
    return expApprox(-distance * distance / (2.0f * sigma * sigma));
}

int roundInt(float v) { return floorInt(v + 0.5f); }

// A smooth union of two implicit shapes (positive inside), so that the
// headland grows out of the coast without a crease.
float smoothMax(float a, float b, float k)
{
    const float h = std::max(k - std::abs(a - b), 0.0f) / k;
    return std::max(a, b) + h * h * k * 0.25f;
}

using Random = SplitMix64;

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

// A polyline with the distance to it and where along it the nearest point is.
class Path {
public:
    explicit Path(std::vector<QPointF> points) : points_(std::move(points))
    {
        bounds_ = QPolygonF(QList<QPointF>(points_.begin(), points_.end())).boundingRect();
        cumulative_.push_back(0.0f);
        for (size_t i = 1; i < points_.size(); ++i)
            cumulative_.push_back(cumulative_.back() + static_cast<float>(QLineF(points_[i - 1], points_[i]).length()));
    }

    struct Nearest {
        float distance;
        float along; // 0 at the first point, 1 at the last
    };

    Nearest nearest(float x, float y) const
    {
        float best = 1e30f;
        float bestAlong = 0.0f;
        for (size_t i = 1; i < points_.size(); ++i) {
            const float ax = static_cast<float>(points_[i - 1].x());
            const float ay = static_cast<float>(points_[i - 1].y());
            const float bx = static_cast<float>(points_[i].x()) - ax;
            const float by = static_cast<float>(points_[i].y()) - ay;
            const float px = x - ax;
            const float py = y - ay;
            const float len2 = bx * bx + by * by;
            const float t = len2 > 0.0f ? std::clamp((px * bx + py * by) / len2, 0.0f, 1.0f) : 0.0f;
            const float ex = px - t * bx;
            const float ey = py - t * by;
            const float d2 = ex * ex + ey * ey;
            if (d2 < best) {
                best = d2;
                bestAlong = cumulative_[i - 1] + t * (cumulative_[i] - cumulative_[i - 1]);
            }
        }
        return {std::sqrt(best), cumulative_.back() > 0.0f ? bestAlong / cumulative_.back() : 0.0f};
    }

    // Whether a point may lie within `margin` of the path: a cheap test that
    // spares the full search where a field has faded to nothing.
    bool maybeWithin(float x, float y, float margin) const
    {
        return x >= bounds_.left() - margin && x <= bounds_.right() + margin && y >= bounds_.top() - margin
               && y <= bounds_.bottom() + margin;
    }

private:
    std::vector<QPointF> points_;
    QRectF bounds_;
    std::vector<float> cumulative_;
};

// Exact squared Euclidean distance to the nearest marked pixel
// (Felzenszwalb and Huttenlocher: one parabola envelope per column, then per row).
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

// Three box passes come close to a Gaussian of sigma ~ radius.
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

enum class Kind : quint8 { Land, River, Shore, Sea };

// Where the landmarks of this seed sit (pixels, rows grow southwards).
struct Plan {
    float headX, headTipRow;      // rocky headland on the west
    float bayX, bayRow, bayHalf;  // sandy bay: middle, innermost coast row, half width
    float mouthX;                 // river mouth, inside the bay
    float bankX, bankY, bankAngle, bankCrestDepth;
    QPointF headBase, headEnd;    // axis of the headland
    QPointF islet;

    float coastRow(float x) const
    {
        float row = 168.0f + 28.0f * x / (kN - 1);
        const float t = (x - bayX) / bayHalf;
        if (std::abs(t) < 1.0f) {
            // A round bight: flat at its head, opening at a fair angle.
            const float indent = 168.0f + 28.0f * bayX / (kN - 1) - bayRow;
            row -= indent * std::sqrt(0.5f * (1.0f + std::cos(kPi * t)));
        }
        return row;
    }

    static constexpr float kHeadBaseHalf = 54.0f;
    static constexpr float kHeadTipHalf = 24.0f;
    static constexpr float kIsletRadius = 5.5f;
    // Half axes of the bank, along and across the coast.
    static constexpr float kBankLength = 68.0f;
    static constexpr float kBankWidth = 40.0f;

    // Signed distance-like value of the headland (positive on it).
    float headland(float x, float y) const
    {
        const float ax = static_cast<float>(headBase.x()), ay = static_cast<float>(headBase.y());
        const float bx = static_cast<float>(headEnd.x()) - ax, by = static_cast<float>(headEnd.y()) - ay;
        const float t = std::clamp(((x - ax) * bx + (y - ay) * by) / (bx * bx + by * by), 0.0f, 1.0f);
        const float dx = x - ax - t * bx, dy = y - ay - t * by;
        return mix(kHeadBaseHalf, kHeadTipHalf, t) - std::sqrt(dx * dx + dy * dy);
    }
    float isletValue(float x, float y) const
    {
        const float dx = x - static_cast<float>(islet.x()), dy = y - static_cast<float>(islet.y());
        return kIsletRadius - std::sqrt(dx * dx + dy * dy);
    }
};

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

struct Model {
    Plan plan;
    std::vector<Kind> kind = std::vector<Kind>(kPixels, Kind::Sea);
    std::vector<float> depth;       // metres at sea, smooth (the chart's tints and isobaths)
    std::vector<float> landHeight;  // metres on land, for hill shading
    std::vector<float> rocky;       // 1 on the rocky headland shore, 0 on sandy shores
    std::vector<float> steepness;   // 1 off the headland, fading out over a kilometre
    std::vector<float> landDistance; // pixels from the sea (land side)
    std::vector<float> seaDistance;  // pixels from land (sea side)
    std::vector<float> riverCover;   // 0..1 coverage of a pixel by the river
    std::vector<float> vegetation;   // 0..1
    std::vector<QRectF> houses;
    std::vector<QPointF> road;
    SeaAreaFields fields;
};

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

// Seabed depth: an equilibrium-like profile on the distance from the shore,
// steeper off the headland, with the bank, the drowned valley and gentle
// undulations laid on top.
void shapeSeabed(Model &m, Random &random)
{
    const Plan &p = m.plan;
    const Noise swell(random.next());

    // Signed distance, blurred so that the corners of the distance field at
    // the bay's axis and off the points round off.
    std::vector<float> signedDistance(kPixels);
    for (int i = 0; i < kPixels; ++i)
        signedDistance[i] = m.kind[i] == Kind::Sea ? m.seaDistance[i] - 0.5f : -(m.landDistance[i] - 0.5f);
    signedDistance = blurred(std::move(signedDistance), 3);

    auto profile = [](float metres) { return 1.0f + 0.02f * metres + 5.0e-6f * metres * metres; };

    // The drowned river valley starts some way off the mouth and deepens to the south.
    const float mouthRow = p.coastRow(p.mouthX);
    const float valleyBend = random.uniform(-20.0f, 20.0f);
    std::vector<QPointF> valleyPoints;
    for (float row = mouthRow + 70.0f; row <= kN + 30.0f; row += 12.0f) {
        const float t = (row - mouthRow - 70.0f) / (kN + 30.0f - mouthRow - 70.0f);
        valleyPoints.emplace_back(p.mouthX + 4.0f - 55.0f * t + valleyBend * std::sin(kPi * t), row);
    }
    const Path valley(valleyPoints);

    m.depth.assign(kPixels, 0.0f);
    std::vector<float> valleyShape(kPixels, 0.0f), bankShape(kPixels, 0.0f);
    const float ca = std::cos(p.bankAngle), sa = std::sin(p.bankAngle);
    float crestBase = 0.0f;
    for (int y = 0; y < kN; ++y) {
        for (int x = 0; x < kN; ++x) {
            const int i = at(x, y);
            const float s = std::max(signedDistance[i], 0.0f);
            const float extra = 1.8f * m.steepness[i];
            const float decay = expApprox(-s / 15.0f);
            const float effective = s + extra * 30.0f * (1.0f - decay) / (1.0f + decay); // tanh(s / 30)
            float depth = profile(10.0f * effective);

            if (valley.maybeWithin(static_cast<float>(x), static_cast<float>(y), 100.0f)) {
                const Path::Nearest v = valley.nearest(static_cast<float>(x), static_cast<float>(y));
                const float sigma = 12.0f + 8.0f * v.along;
                const float across = gaussian(v.distance, sigma);
                valleyShape[i] = across * smoothstep(0.0f, 0.3f, v.along);
                depth += 30.0f * smoothstep(0.0f, 1.0f, v.along) * across;
            }

            const float u = ((x - p.bankX) * ca + (y - p.bankY) * sa) / Plan::kBankLength;
            const float w = (-(x - p.bankX) * sa + (y - p.bankY) * ca) / Plan::kBankWidth;
            bankShape[i] = expApprox(-0.3f * (u * u + w * w));
            m.depth[i] = depth;
            if (x == static_cast<int>(p.bankX) && y == static_cast<int>(p.bankY))
                crestBase = depth;
        }
    }
    const float bankRelief = std::max(0.0f, crestBase - p.bankCrestDepth);
    for (int y = 0; y < kN; ++y) {
        for (int x = 0; x < kN; ++x) {
            const int i = at(x, y);
            const float u = ((x - p.bankX) * ca + (y - p.bankY) * sa) / Plan::kBankLength;
            const float w = (-(x - p.bankX) * sa + (y - p.bankY) * ca) / Plan::kBankWidth;
            const float r = std::min(std::sqrt(u * u + w * w), 4.0f);
            const float plateau = expApprox(-0.5f * r * r * r);
            float depth = m.depth[i] - bankRelief * plateau;
            // Sand waves on the bank, across the current.
            if (r < 3.5f)
                depth += 1.2f * plateau * std::sin((x * ca + y * sa) / 9.0f);
            const float s = std::max(signedDistance[i], 0.0f);
            depth += (0.8f + 0.025f * depth) * smoothstep(0.0f, 20.0f, s) * swell.fbm(x / 110.0f, y / 110.0f, 3);
            m.depth[i] = std::clamp(depth, 1.0f, 179.0f);
        }
    }

    m.fields.bankCrest = QPoint(static_cast<int>(p.bankX), static_cast<int>(p.bankY));
    float shallowest = 1e9f;
    for (int i = 0; i < kPixels; ++i) {
        if (m.kind[i] == Kind::Sea) {
            m.fields.depth[i] = std::clamp(roundInt(m.depth[i]), 1, 179);
            if (bankShape[i] > 0.6f && m.depth[i] < shallowest) {
                shallowest = m.depth[i];
                m.fields.bankCrest = QPoint(i % kN, i / kN);
            }
        } else {
            m.depth[i] = 0.0f;
        }
    }

    // Sediment: finer with depth, coarse on the bank and around the rocks,
    // mud in the valley and under the river plume, which the longshore current
    // bends to the south-west.
    const Noise sedimentBroad(random.next());
    const Noise sedimentFine(random.next());
    const float plumeTurn = random.uniform(0.5f, 0.9f);
    std::vector<QPointF> plumePoints;
    {
        float px = p.mouthX, py = mouthRow + 6.0f, heading = 0.5f * kPi;
        for (int step = 0; step < 20; ++step) {
            plumePoints.emplace_back(px, py);
            heading += plumeTurn / 20.0f;
            px += 8.0f * std::cos(heading);
            py += 8.0f * std::sin(heading);
        }
    }
    const Path plume(plumePoints);
    m.fields.mud.assign(kPixels, 0.0f);
    m.fields.enrichment.assign(kPixels, 0.0f);
    for (int y = 0; y < kN; ++y) {
        for (int x = 0; x < kN; ++x) {
            const int i = at(x, y);
            if (m.kind[i] != Kind::Sea)
                continue;
            const float depth = m.depth[i];
            float mud = 0.92f / (1.0f + expApprox(-(depth - 32.0f) / 9.0f));
            mud *= 1.0f - 0.55f * smoothstep(3.0f, 0.5f, depth); // the surf washes the fines away
            mud *= 1.0f - 0.85f * gaussian(std::max(0.0f, -p.headland(x, y)), 35.0f);
            mud *= 1.0f - 0.92f * bankShape[i];
            mud += (0.95f - mud) * 0.35f * valleyShape[i];
            if (plume.maybeWithin(static_cast<float>(x), static_cast<float>(y), 230.0f)) {
                const Path::Nearest n = plume.nearest(static_cast<float>(x), static_cast<float>(y));
                const float spread = 16.0f + 45.0f * n.along;
                const float cloud = gaussian(n.distance, spread) * (1.0f - 0.6f * n.along);
                mud += (0.95f - mud) * 0.9f * cloud * smoothstep(1.5f, 6.0f, depth);
                const float core = 14.0f + 30.0f * n.along;
                m.fields.enrichment[i] = gaussian(n.distance, core) * (1.0f - n.along);
            }
            mud += 0.06f * sedimentBroad.fbm(x / 45.0f, y / 45.0f, 2) + 0.03f * sedimentFine.fbm(x / 12.0f, y / 12.0f, 2);
            m.fields.mud[i] = clamp01(mud);
        }
    }
}

struct Niche {
    float depthOptimum; // metres
    float depthSpread;  // standard deviation of log depth
    float mudOptimum;
    float mudSpread;
    float enrichment;   // -1 vanishes off the river mouth ... +1 lives nowhere else
    float abundance;    // count at the optimum in an average patch
    float zone, patch, grain; // patchiness (log spread) at ~1.5 km, ~400 m and ~100 m
};

// In the order of the fauna sheet's columns.
constexpr Niche kNiches[kSpecies] = {
    {6.0f, 0.55f, 0.12f, 0.14f, -0.5f, 34.0f, 0.35f, 0.35f, 0.25f},  // 1 Nephtys, shallow fine sand
    {18.0f, 0.38f, 0.26f, 0.12f, -0.9f, 22.0f, 0.40f, 0.70f, 0.30f}, // 2 Lanice, muddy sand, in clumps
    {11.0f, 0.40f, 0.07f, 0.10f, -0.9f, 30.0f, 0.40f, 0.40f, 0.20f}, // 3 Chamelea, clean sand
    {3.0f, 0.50f, 0.03f, 0.10f, -0.9f, 40.0f, 0.30f, 0.35f, 0.25f},  // 4 Donax/Tellina, surf sand
    {9.0f, 0.75f, 0.15f, 0.30f, 0.4f, 15.0f, 0.30f, 0.30f, 0.30f},   // 5 Nassarius, broad, scavenger
    {75.0f, 0.35f, 0.85f, 0.18f, -0.9f, 18.0f, 0.35f, 0.35f, 0.25f}, // 6 Antalis, deep mud
    {11.0f, 0.40f, 0.12f, 0.12f, -0.9f, 20.0f, 0.40f, 1.00f, 0.45f}, // 7 Ampelisca, fine sand, very patchy
    {25.0f, 0.40f, 0.35f, 0.16f, -0.7f, 20.0f, 0.35f, 0.45f, 0.35f}, // 8 cumacean, muddy sand
    {26.0f, 0.40f, 0.02f, 0.10f, -0.9f, 26.0f, 0.30f, 0.35f, 0.30f}, // 9 Liocarcinus, coarse sand of the bank
    {55.0f, 0.42f, 0.70f, 0.18f, -0.8f, 30.0f, 0.40f, 0.50f, 0.25f}, // 10 Amphiura, mud, in dense beds
    {21.0f, 0.40f, 0.30f, 0.16f, -0.8f, 15.0f, 0.35f, 0.45f, 0.30f}, // 11 Echinocardium, muddy sand
    {8.0f, 0.80f, 0.80f, 0.30f, 1.0f, 55.0f, 0.20f, 0.30f, 0.30f},   // 12 Capitella, enriched mud
};

// Even the scarcest taxon is common somewhere: its best thousandth of the
// sea holds at least this many.
constexpr float kLeastPeak = 45.0f;

void populate(Model &m, Random &random)
{
    std::vector<int> seaPixels;
    for (int i = 0; i < kPixels; ++i) {
        if (m.kind[i] == Kind::Sea)
            seaPixels.push_back(i);
    }
    std::vector<float> logDepth(kPixels, 0.0f);
    for (int i : seaPixels)
        logDepth[i] = logApprox(m.depth[i]);
    std::vector<float> raw(kPixels);
    std::vector<float> sorted;
    for (int s = 0; s < kSpecies; ++s) {
        const Niche &n = kNiches[s];
        const Noise zone(random.next()), patch(random.next()), grain(random.next());
        const float logOptimum = std::log(n.depthOptimum);
        std::fill(raw.begin(), raw.end(), 0.0f);
        for (int i : seaPixels) {
            const float x = static_cast<float>(i % kN), y = static_cast<float>(i / kN);
            const float a = (logDepth[i] - logOptimum) / n.depthSpread;
            const float b = (m.fields.mud[i] - n.mudOptimum) / n.mudSpread;
            const float misfit = 0.5f * (a * a + b * b);
            if (misfit > 9.0f)
                continue;
            float suit = expApprox(-misfit);
            const float e = m.fields.enrichment[i];
            if (n.enrichment >= 1.0f)
                suit *= e > 1e-6f ? expApprox(1.3f * logApprox(e)) : 0.0f; // an opportunist: only where the river feeds it
            else
                suit *= std::max(0.0f, 1.0f + n.enrichment * e);
            if (suit < 1e-4f)
                continue;
            const float z = n.zone * zone.fbm(x / 150.0f, y / 150.0f, 2) + n.patch * patch.fbm(x / 40.0f, y / 40.0f, 2)
                            + n.grain * grain.fbm(x / 10.0f, y / 10.0f, 2);
            raw[i] = n.abundance * suit * expApprox(z);
        }
        sorted.clear();
        for (int i : seaPixels)
            sorted.push_back(raw[i]);
        const size_t k = sorted.size() * 999 / 1000;
        std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(k), sorted.end());
        const float scale = sorted[k] > 0.0f ? std::max(1.0f, kLeastPeak / sorted[k]) : 1.0f;
        std::vector<int> &counts = m.fields.counts[s];
        counts.assign(kPixels, 0);
        for (int i : seaPixels)
            counts[i] = std::min(kMaxCount, static_cast<int>(raw[i] * scale + 0.5f));
    }
}

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

Model buildModel(quint32 seed)
{
    Model m;
    // Each stage draws from its own stream, so that a change in one stage
    // leaves the others' detail where it was.
    Random master(0xF0DA115ull * 0x100000001ull ^ seed);
    Random planStream(master.next()), seabedStream(master.next()), faunaStream(master.next()), landStream(master.next());
    drawPlan(m, planStream);
    shapeSeabed(m, seabedStream);
    populate(m, faunaStream);
    dressLand(m, landStream);
    return m;
}

QRgb mixRgb(QRgb a, QRgb b, float t)
{
    return qRgb(roundInt(mix(qRed(a), qRed(b), t)), roundInt(mix(qGreen(a), qGreen(b), t)),
                roundInt(mix(qBlue(a), qBlue(b), t)));
}

QRgb shadeRgb(QRgb c, float f)
{
    return qRgb(std::clamp(static_cast<int>(qRed(c) * f), 0, 255), std::clamp(static_cast<int>(qGreen(c) * f), 0, 255),
                std::clamp(static_cast<int>(qBlue(c) * f), 0, 255));
}

// Chart convention: the shallows are the bluest, deep water nearly white.
QRgb seaTint(float depth)
{
    struct Stop {
        float depth;
        QRgb colour;
    };
    static const Stop stops[] = {
        {0.0f, qRgb(148, 194, 230)},   {10.0f, qRgb(168, 207, 237)},  {20.0f, qRgb(187, 219, 242)},
        {50.0f, qRgb(211, 232, 248)},  {100.0f, qRgb(229, 241, 251)}, {180.0f, qRgb(243, 248, 254)},
    };
    for (size_t k = 1; k < std::size(stops); ++k) {
        if (depth <= stops[k].depth)
            return mixRgb(stops[k - 1].colour, stops[k].colour, clamp01((depth - stops[k - 1].depth) / (stops[k].depth - stops[k - 1].depth)));
    }
    return stops[std::size(stops) - 1].colour;
}

// Marching squares over pixel centres, as separate segments.
void contourSegments(const std::vector<float> &field, float level, QVector<QLineF> &out)
{
    auto point = [](float x0, float y0, float x1, float y1, float v0, float v1, float lvl) {
        const float t = (lvl - v0) / (v1 - v0);
        return QPointF(x0 + t * (x1 - x0) + 0.5f, y0 + t * (y1 - y0) + 0.5f);
    };
    for (int y = 0; y + 1 < kN; ++y) {
        for (int x = 0; x + 1 < kN; ++x) {
            const float a = field[at(x, y)], b = field[at(x + 1, y)];
            const float c = field[at(x + 1, y + 1)], d = field[at(x, y + 1)];
            const int code = (a > level ? 1 : 0) | (b > level ? 2 : 0) | (c > level ? 4 : 0) | (d > level ? 8 : 0);
            if (code == 0 || code == 15)
                continue;
            const float fx = static_cast<float>(x), fy = static_cast<float>(y);
            const QPointF top = point(fx, fy, fx + 1, fy, a, b, level);
            const QPointF right = point(fx + 1, fy, fx + 1, fy + 1, b, c, level);
            const QPointF bottom = point(fx, fy + 1, fx + 1, fy + 1, d, c, level);
            const QPointF left = point(fx, fy, fx, fy + 1, a, d, level);
            switch (code) {
            case 1: case 14: out.append(QLineF(left, top)); break;
            case 2: case 13: out.append(QLineF(top, right)); break;
            case 3: case 12: out.append(QLineF(left, right)); break;
            case 4: case 11: out.append(QLineF(right, bottom)); break;
            case 6: case 9: out.append(QLineF(top, bottom)); break;
            case 7: case 8: out.append(QLineF(left, bottom)); break;
            case 5: case 10: {
                const bool centreHigh = (a + b + c + d) * 0.25f > level;
                if ((code == 5) == centreHigh) {
                    out.append(QLineF(left, bottom));
                    out.append(QLineF(top, right));
                } else {
                    out.append(QLineF(left, top));
                    out.append(QLineF(right, bottom));
                }
                break;
            }
            default: break;
            }
        }
    }
}

QImage drawChart(const Model &m)
{
    QImage image(kN, kN, QImage::Format_RGB32);
    const QRgb buff = qRgb(236, 225, 188), green = qRgb(207, 216, 176), sand = qRgb(247, 238, 204);
    const QRgb rock = qRgb(206, 196, 176), riverBlue = qRgb(122, 172, 214), house = qRgb(168, 150, 132);

    // Light from the north-west, as on a relief map.
    const float lx = -0.6f, ly = -0.6f, lz = 0.53f;
    for (int y = 0; y < kN; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kN; ++x) {
            const int i = at(x, y);
            QRgb c;
            switch (m.kind[i]) {
            case Kind::Sea:
                c = seaTint(m.depth[i]);
                break;
            case Kind::Shore:
                c = mixRgb(sand, rock, m.rocky[i]);
                break;
            case Kind::River:
                c = riverBlue;
                break;
            case Kind::Land:
            default: {
                const float hx = m.landHeight[at(std::min(x + 1, kN - 1), y)] - m.landHeight[at(std::max(x - 1, 0), y)];
                const float hy = m.landHeight[at(x, std::min(y + 1, kN - 1))] - m.landHeight[at(x, std::max(y - 1, 0))];
                const float nx = -hx / 20.0f, ny = -hy / 20.0f;
                const float shade = (nx * lx + ny * ly + lz) / std::sqrt(nx * nx + ny * ny + 1.0f);
                c = shadeRgb(mixRgb(buff, green, m.vegetation[i]), 0.9f + 0.2f * shade);
                c = mixRgb(c, riverBlue, m.riverCover[i]);
                break;
            }
            }
            line[x] = c;
        }
    }

    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);

    painter.setPen(QPen(QColor(184, 170, 146), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF(QList<QPointF>(m.road.begin(), m.road.end())));
    for (const QRectF &r : m.houses)
        painter.fillRect(r, QColor(house));

    // Isobaths every 10 m, a stronger line every 50 m.
    std::vector<float> contourField = m.depth;
    for (int i = 0; i < kPixels; ++i) {
        if (m.kind[i] != Kind::Sea)
            contourField[i] = 0.0f;
    }
    for (int level = 10; level < 180; level += 10) {
        QVector<QLineF> segments;
        contourSegments(contourField, static_cast<float>(level), segments);
        const bool major = level % 50 == 0;
        painter.setPen(QPen(major ? QColor(88, 124, 168) : QColor(124, 156, 192), major ? 1.0 : 0.6, Qt::SolidLine, Qt::RoundCap));
        painter.drawLines(segments);
    }

    // Coastline along the edge of the water.
    std::vector<float> wet(kPixels);
    for (int i = 0; i < kPixels; ++i)
        wet[i] = m.kind[i] == Kind::Sea ? 1.0f : 0.0f;
    {
        std::vector<float> soft(kPixels);
        for (int y = 0; y < kN; ++y) {
            for (int x = 0; x < kN; ++x) {
                float sum = 0.0f;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        sum += wet[at(std::clamp(x + dx, 0, kN - 1), std::clamp(y + dy, 0, kN - 1))] * ((dx == 0 ? 2 : 1) * (dy == 0 ? 2 : 1));
                soft[at(x, y)] = sum / 16.0f;
            }
        }
        QVector<QLineF> edge, coast;
        contourSegments(soft, 0.5f, edge);
        // The river opens onto the sea: no shoreline across its mouth.
        for (const QLineF &segment : edge) {
            const QPointF mid = segment.center();
            bool river = false;
            for (int dy = -1; dy <= 1 && !river; ++dy) {
                for (int dx = -1; dx <= 1 && !river; ++dx) {
                    const int x = std::clamp(static_cast<int>(mid.x()) + dx, 0, kN - 1);
                    const int y = std::clamp(static_cast<int>(mid.y()) + dy, 0, kN - 1);
                    river = m.kind[at(x, y)] == Kind::River;
                }
            }
            if (!river)
                coast.append(segment);
        }
        painter.setPen(QPen(QColor(92, 86, 74), 0.9, Qt::SolidLine, Qt::RoundCap));
        painter.drawLines(coast);
    }

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(9);
    painter.setFont(font);
    const QColor figures(52, 82, 122);

    // Depth figures where the isobaths cross two lines of sight from the shore.
    auto label = [&](QPointF centre, const QString &text) {
        const QRectF box(centre.x() - 12, centre.y() - 6, 24, 12);
        const QRectF tight = painter.boundingRect(box, Qt::AlignCenter, text).adjusted(-1, 0, 1, 0);
        painter.fillRect(tight, QColor(seaTint(m.depth[at(std::clamp(static_cast<int>(centre.x()), 0, kN - 1),
                                                             std::clamp(static_cast<int>(centre.y()), 0, kN - 1))])));
        painter.setPen(figures);
        painter.drawText(box, Qt::AlignCenter, text);
    };
    for (int column : {28, 486}) {
        int lastRow = -100;
        for (int y = 1; y < kN - 30; ++y) {
            const float d0 = contourField[at(column, y - 1)], d1 = contourField[at(column, y)];
            for (int level : {10, 20, 30, 50, 70, 100, 120, 150}) {
                if (d0 < level && d1 >= level && m.kind[at(column, y - 1)] == Kind::Sea && y - lastRow > 16
                    && (column > 200 || y < 450)) {
                    label(QPointF(column, y), QString::number(level));
                    lastRow = y;
                }
            }
        }
    }

    // A few soundings, in italics as on the charts.
    QFont italic = font;
    italic.setItalic(true);
    italic.setPixelSize(8);
    painter.setFont(italic);
    for (int gy = 0; gy < 8; ++gy) {
        for (int gx = 0; gx < 8; ++gx) {
            const int x = 44 + gx * 60 + ((gy % 2) ? 30 : 0);
            const int y = 40 + gy * 62;
            if (x >= kN - 20 || y >= kN - 10)
                continue;
            const int i = at(x, y);
            if (m.kind[i] != Kind::Sea || m.seaDistance[i] < 14.0f)
                continue;
            if (x < 150 && y > 455)
                continue; // the scale bar's corner
            painter.setPen(figures);
            painter.drawText(QRectF(x - 12, y - 6, 24, 12), Qt::AlignCenter, QString::number(m.fields.depth[i]));
        }
    }

    // Scale bar, 1 km = 100 pixels.
    painter.setFont(font);
    const QRectF panel(8, 466, 128, 36);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 190));
    painter.drawRoundedRect(panel, 3, 3);
    const qreal bx = 20, by = 488;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(QColor(40, 40, 40));
    painter.drawRect(QRectF(bx, by, 50, 4));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(bx + 50, by, 50, 4));
    painter.drawLine(QPointF(bx, by - 3), QPointF(bx, by));
    painter.drawLine(QPointF(bx + 50, by - 3), QPointF(bx + 50, by));
    painter.drawLine(QPointF(bx + 100, by - 3), QPointF(bx + 100, by));
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.drawText(QRectF(bx - 20, by - 16, 40, 12), Qt::AlignCenter, QStringLiteral("0"));
    painter.drawText(QRectF(bx + 30, by - 16, 40, 12), Qt::AlignCenter, QStringLiteral("500 m"));
    painter.drawText(QRectF(bx + 80, by - 16, 40, 12), Qt::AlignCenter, QStringLiteral("1 km"));

    // The light on the point: a black dot and the magenta flare of the charts.
    {
        // On solid ground a little back from the tip.
        QPoint spot = m.fields.headlandTip;
        for (int back = 0; back < 14 && spot.y() > 0; ++back) {
            if (m.kind[at(spot.x(), spot.y())] == Kind::Land && back >= 4)
                break;
            spot.ry() -= 1;
        }
        const QPointF light(spot.x() + 0.5, spot.y() + 0.5);
        painter.save();
        painter.translate(light);
        painter.rotate(-35.0);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(196, 64, 160, 210));
        QPolygonF flare;
        flare << QPointF(0, 0) << QPointF(-2.6, -7) << QPointF(0, -10) << QPointF(2.6, -7);
        painter.drawPolygon(flare);
        painter.restore();
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(30, 30, 30));
        painter.drawEllipse(light, 1.6, 1.6);
    }

    // North arrow.
    const qreal ax = 488, ay = 20;
    QFont bold = font;
    bold.setPixelSize(12);
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(QColor(40, 40, 40));
    painter.drawText(QRectF(ax - 10, ay - 14, 20, 14), Qt::AlignCenter, QStringLiteral("N"));
    const QPointF tip(ax, ay + 2), leftFoot(ax - 7, ay + 30), notch(ax, ay + 24), rightFoot(ax + 7, ay + 30);
    painter.setPen(QPen(QColor(40, 40, 40), 1.0));
    painter.setBrush(QColor(40, 40, 40));
    painter.drawPolygon(QPolygonF({tip, leftFoot, notch}));
    painter.setBrush(Qt::white);
    painter.drawPolygon(QPolygonF({tip, notch, rightFoot}));
    painter.end();

    // The program reads every pure red pixel of the chart as a station mark.
    for (int y = 0; y < kN; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kN; ++x) {
            if ((line[x] & 0xFFFFFF) == 0xFF0000)
                line[x] = qRgb(254, 0, 0);
        }
    }
    return image;
}

QImage drawBathymetry(const SeaAreaFields &fields)
{
    QImage image(kN, kN, QImage::Format_RGB32);
    for (int y = 0; y < kN; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kN; ++x) {
            const int depth = fields.depth[at(x, y)];
            line[x] = depth == SeaAreaFields::kNotSurveyable ? qRgb(0, 0, 0) : qRgb(depth + 76, 0, 0);
        }
    }
    return image;
}

// A grey density map: the darker, the more organisms.
QImage drawSpecies(const std::vector<int> &counts)
{
    int level[kMaxCount + 1];
    for (int k = 0; k <= kMaxCount; ++k)
        level[k] = 255 - mapcolour::darknessForCount(k);
    QImage image(kN, kN, QImage::Format_RGB32);
    for (int y = 0; y < kN; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kN; ++x) {
            const int r = level[counts[at(x, y)]];
            line[x] = qRgb(r, r, r);
        }
    }
    return image;
}

} // namespace

SeaAreaFields generateSeaAreaFields(quint32 seed)
{
    return buildModel(seed).fields;
}

SeaArea generateSeaArea(quint32 seed)
{
    const Model m = buildModel(seed);
    SeaArea area;
    area.base = drawChart(m);
    area.bati = drawBathymetry(m.fields);
    for (int s = 0; s < kSpecies; ++s)
        area.species[s] = drawSpecies(m.fields.counts[s]);
    return area;
}
