#include "FaunaSheet.h"

#include "SplitMix64.h"

#include <QColor>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {

constexpr int kCell = 50;
constexpr int kInnerOffset = 2;
constexpr int kInnerSize = 46;
constexpr int kSpecies = 12;
constexpr int kOrientations = 4;
constexpr double kPi = std::numbers::pi;

// Magenta: nothing that lives on a muddy sand bottom is anywhere near it.
constexpr QRgb kKey = qRgb(255, 0, 255);
// Pixels covered less than this are background, the rest become opaque.
constexpr int kCoverageThreshold = 100;
// Edge pixels are finished against this colour: a thin dark rim reads as the
// organism's outline on any tray, where a magenta blend would glow.
constexpr QRgb kEdge = qRgb(52, 46, 40);
// No organism pixel comes this close to the key (largest channel
// difference): a near-key pixel would read as a magenta fringe, or as a hole
// to any reader that matches the key loosely.
constexpr int kKeyClearance = 64;

// Each organism and pose gets its own stream, so editing one drawing never
// reshuffles the others.
using Rng = SplitMix64;

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3.0 - 2.0 * t);
}

QPointF polar(double angle, double radius) { return {radius * std::cos(angle), radius * std::sin(angle)}; }

QColor shade(const QColor &c, double factor)
{
    return QColor(std::clamp(int(c.red() * factor), 0, 255), std::clamp(int(c.green() * factor), 0, 255),
                  std::clamp(int(c.blue() * factor), 0, 255));
}

QPen pen(const QColor &c, double width)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void strokeLine(QPainter &p, QPointF a, QPointF b, const QColor &c, double width)
{
    p.setPen(pen(c, width));
    p.drawLine(a, b);
}

void strokePolyline(QPainter &p, const std::vector<QPointF> &points, const QColor &c, double width)
{
    p.setPen(pen(c, width));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(points.data(), int(points.size()));
}

void fillEllipse(QPainter &p, QPointF centre, double rx, double ry, const QColor &c, double angleDeg = 0.0)
{
    p.save();
    p.translate(centre);
    p.rotate(angleDeg);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(QPointF(0, 0), rx, ry);
    p.restore();
}

// A point along a curve with its direction; the normal is the tangent turned
// a quarter to the left in screen coordinates (downwards for a rightward run).
struct Frame {
    QPointF point;
    QPointF tangent;
    QPointF normal;
};

std::vector<Frame> framesOf(const std::vector<QPointF> &points)
{
    std::vector<Frame> frames(points.size());
    for (size_t i = 0; i < points.size(); ++i) {
        const QPointF a = points[i == 0 ? 0 : i - 1];
        const QPointF b = points[std::min(i + 1, points.size() - 1)];
        QPointF t = b - a;
        const double length = std::hypot(t.x(), t.y());
        t = length > 0 ? t / length : QPointF(1, 0);
        frames[i] = {points[i], t, QPointF(-t.y(), t.x())};
    }
    return frames;
}

std::vector<QPointF> sampleCurve(const std::function<QPointF(double)> &curve, int samples)
{
    std::vector<QPointF> points;
    points.reserve(samples + 1);
    for (int i = 0; i <= samples; ++i)
        points.push_back(curve(double(i) / samples));
    return points;
}

// Closed outline of a body of varying width around a centre line, with
// rounded ends; halfWidth takes the fraction of the length (0 = first point).
QPainterPath ribbon(const std::vector<Frame> &frames, const std::function<double(double)> &halfWidth)
{
    const size_t n = frames.size();
    const auto at = [&](size_t i) { return double(i) / double(n - 1); };
    QPainterPath path;
    for (size_t i = 0; i < n; ++i) {
        const QPointF q = frames[i].point + frames[i].normal * halfWidth(at(i));
        if (i == 0)
            path.moveTo(q);
        else
            path.lineTo(q);
    }
    const Frame &last = frames.back();
    const double endWidth = halfWidth(1.0);
    path.quadTo(last.point + last.tangent * endWidth * 1.4 + last.normal * endWidth,
                last.point + last.tangent * endWidth * 1.2);
    path.quadTo(last.point + last.tangent * endWidth * 1.4 - last.normal * endWidth,
                last.point - last.normal * endWidth);
    for (size_t i = n; i-- > 0;)
        path.lineTo(frames[i].point - frames[i].normal * halfWidth(at(i)));
    const Frame &first = frames.front();
    const double startWidth = halfWidth(0.0);
    path.quadTo(first.point - first.tangent * startWidth * 1.4 - first.normal * startWidth,
                first.point - first.tangent * startWidth * 1.2);
    path.quadTo(first.point - first.tangent * startWidth * 1.4 + first.normal * startWidth,
                first.point + first.normal * startWidth);
    path.closeSubpath();
    return path;
}

// A tapering stroke built from short pieces; good for arms, legs and
// antennae that thin out towards their tips.
void taperedStroke(QPainter &p, const std::vector<QPointF> &points, const QColor &c, double baseWidth,
                   double tipWidth)
{
    const size_t n = points.size();
    for (size_t i = 1; i < n; ++i) {
        const double t = double(i) / double(n - 1);
        strokeLine(p, points[i - 1], points[i], c, baseWidth + (tipWidth - baseWidth) * t);
    }
}

// A limb with a dark rim, so thin legs stay legible on a pale tray.
void outlinedStroke(QPainter &p, const std::vector<QPointF> &points, const QColor &fill, const QColor &rim,
                    double width)
{
    strokePolyline(p, points, rim, width + 1.1);
    strokePolyline(p, points, fill, width);
}

QPainterPath scaledAbout(const QPainterPath &path, QPointF origin, double scale)
{
    QTransform t;
    t.translate(origin.x(), origin.y());
    t.scale(scale, scale);
    t.translate(-origin.x(), -origin.y());
    return t.map(path);
}

// The organisms. Each draws around the origin, head or front along +x or -y,
// inside the cell's inner square once its base rotation is applied.

// Nephtys: pearly pink segmented worm, bristly parapodia on both flanks.
void drawNephtys(QPainter &p, Rng &rng)
{
    const double phase = rng.range(0, 2 * kPi);
    const double amplitude = rng.range(2.6, 3.3);
    const double waves = rng.range(1.0, 1.3);
    const auto centre = [&](double t) {
        const double x = -24.0 + 47.0 * t;
        // the tail end swings less: the head leads the wave
        return QPointF(x, amplitude * std::sin(phase + t * 2 * kPi * waves) * (0.5 + 0.5 * t));
    };
    const std::vector<Frame> frames = framesOf(sampleCurve(centre, 120));
    const auto halfWidth = [](double t) {
        return 0.5 + 1.9 * smoothstep(0.0, 0.45, t) - 0.5 * smoothstep(0.9, 1.0, t);
    };

    const QColor body(234, 190, 178);
    const QColor lobe(206, 146, 136);
    const QColor chaetae(214, 196, 150);
    const int segments = 19;
    for (int s = 0; s < segments; ++s) {
        const double t = 0.08 + 0.86 * s / (segments - 1);
        const Frame &f = frames[size_t(t * (frames.size() - 1))];
        const double w = halfWidth(t);
        for (int side = -1; side <= 1; side += 2) {
            const QPointF outward = f.normal * double(side);
            const QPointF base = f.point + outward * (w * 0.5);
            const QPointF tip = f.point + outward * (w + 0.9 + 0.3 * w) - f.tangent * 0.4;
            // a fan of chaetae slanting back, then the fleshy lobe over it
            strokeLine(p, tip, tip + outward * (1.0 + 0.45 * w) - f.tangent * (0.6 + 0.3 * w), chaetae, 1.0);
            strokeLine(p, base, tip, lobe, 1.6);
        }
    }

    const QPainterPath outline = ribbon(frames, halfWidth);
    p.setPen(pen(QColor(168, 112, 104), 0.9));
    p.setBrush(body);
    p.drawPath(outline);

    p.save();
    p.setClipPath(outline, Qt::IntersectClip);
    for (int s = 0; s < segments; ++s) {
        const double t = 0.08 + 0.86 * (s + 0.5) / (segments - 1);
        const Frame &f = frames[size_t(std::min(t, 1.0) * (frames.size() - 1))];
        const double w = halfWidth(t);
        strokeLine(p, f.point + f.normal * w, f.point - f.normal * w, QColor(196, 140, 132), 0.6);
    }
    // the pearly sheen runs along one flank, the blood vessel along the back
    std::vector<QPointF> sheen;
    std::vector<QPointF> vessel;
    for (size_t i = frames.size() / 8; i < frames.size() * 15 / 16; ++i) {
        const double t = double(i) / double(frames.size() - 1);
        sheen.push_back(frames[i].point - frames[i].normal * (halfWidth(t) * 0.45));
        vessel.push_back(frames[i].point + frames[i].normal * (halfWidth(t) * 0.1));
    }
    strokePolyline(p, sheen, QColor(252, 236, 230), 1.1);
    strokePolyline(p, vessel, QColor(205, 120, 118), 0.6);
    p.restore();

    // prostomium with a pair of tiny antennae
    const Frame &head = frames.back();
    fillEllipse(p, head.point + head.tangent * 0.8, 1.9, 1.5, QColor(226, 176, 166),
                std::atan2(head.tangent.y(), head.tangent.x()) * 180 / kPi);
    for (int side = -1; side <= 1; side += 2)
        strokeLine(p, head.point + head.tangent * 2.0 + head.normal * (0.8 * side),
                   head.point + head.tangent * 3.2 + head.normal * (1.8 * side), QColor(200, 150, 140), 0.8);
}

// Lanice conchilega: a tube of cemented sand grains ending in the sand-mason's
// fringed crown, with a few pale tentacles.
void drawLanice(QPainter &p, Rng &rng)
{
    const double bend = rng.range(-1.6, 1.6);
    const auto centre = [&](double t) { return QPointF(-24.0 + 34.0 * t, bend * std::sin(kPi * t)); };
    const std::vector<Frame> frames = framesOf(sampleCurve(centre, 60));
    const auto halfWidth = [](double t) { return 3.0 + 0.4 * t; };
    const QPainterPath tube = ribbon(frames, halfWidth);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(178, 160, 128));
    p.drawPath(tube);
    p.save();
    p.setClipPath(tube, Qt::IntersectClip);
    static const std::array<QColor, 6> grains = {QColor(198, 180, 142), QColor(150, 134, 106),
                                                 QColor(122, 114, 102), QColor(218, 210, 190),
                                                 QColor(166, 150, 118), QColor(188, 168, 126)};
    for (int i = 0; i < 150; ++i) {
        const QPointF at(rng.range(-26, 12), rng.range(-5, 5));
        const double r = rng.range(0.5, 1.25);
        fillEllipse(p, at, r, r * rng.range(0.6, 1.0), grains[rng.next() % grains.size()], rng.range(0, 180));
    }
    // a shadow along the lower flank rounds the tube
    std::vector<QPointF> shadow;
    for (const Frame &f : frames)
        shadow.push_back(f.point + f.normal * 2.8);
    strokePolyline(p, shadow, QColor(120, 104, 80, 150), 1.6);
    p.restore();
    p.setPen(pen(QColor(108, 94, 72), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tube);

    // the sand-mason's crown: the tube's rim frays into a fan of branched,
    // sand-encrusted threads
    const Frame &mouth = frames.back();
    const double axis = std::atan2(mouth.tangent.y(), mouth.tangent.x());
    const QPointF top = mouth.point + mouth.tangent * 0.5;
    const QColor fringeDark(120, 106, 82);
    const QColor fringe(170, 152, 118);
    const int branches = 9;
    const quint64 crownSeed = rng.next();
    for (int pass = 0; pass < 2; ++pass) {
        Rng shape(crownSeed); // both passes trace the same threads
        for (int i = 0; i < branches; ++i) {
            const double a = axis - 1.45 + 2.9 * i / (branches - 1);
            const double length = 8.5 + 1.5 * std::cos(a - axis) + shape.range(-0.8, 0.8);
            const double curl = shape.range(-0.12, 0.12);
            std::vector<QPointF> thread;
            QPointF at = top + polar(a, 1.5);
            double heading = a;
            for (int k = 0; k < 6; ++k) {
                thread.push_back(at);
                at += polar(heading, length / 6);
                heading += curl;
            }
            // a dark rim first, the sandy thread over it
            const double extra = pass == 0 ? 0.9 : 0.0;
            taperedStroke(p, thread, pass == 0 ? fringeDark : fringe, 1.7 + extra, 1.1 + extra);
            for (int twig : {2, 4}) {
                for (int side = -1; side <= 1; side += 2) {
                    const QPointF from = thread[size_t(twig)];
                    const QPointF to = from + polar(heading + side * 0.75, 2.0);
                    strokeLine(p, from, to, pass == 0 ? fringeDark : fringe, 1.0 + extra);
                }
            }
        }
    }
    fillEllipse(p, top, 2.8, 3.9, QColor(150, 132, 102), axis * 180 / kPi);
    fillEllipse(p, top, 1.4, 2.4, QColor(88, 76, 58), axis * 180 / kPi);
    // a few pale tentacles poke out of the tube
    const QColor tentacle(232, 196, 176);
    for (int i = 0; i < 3; ++i) {
        const double a = axis + rng.range(-0.7, 0.7);
        const double curl = rng.range(-0.3, 0.3);
        std::vector<QPointF> line;
        QPointF at = top;
        double heading = a;
        for (int k = 0; k < 5; ++k) {
            line.push_back(at);
            at += polar(heading, 1.2);
            heading += curl;
        }
        taperedStroke(p, line, tentacle, 1.2, 1.0);
    }
}

// Chamelea gallina: rounded-triangular valve, fine concentric ridges, brown
// zigzags and rays on cream.
void drawChamelea(QPainter &p, Rng &rng)
{
    QPainterPath shell;
    const QPointF umbo(-1.5, -17.5);
    shell.moveTo(umbo);
    shell.cubicTo(5.5, -18.0, 15.5, -9.0, 18.0, 0.0);
    shell.cubicTo(20.0, 8.5, 12.0, 16.8, 1.0, 16.8);
    shell.cubicTo(-10.0, 16.8, -19.0, 10.0, -18.2, 1.0);
    shell.cubicTo(-17.5, -7.0, -8.5, -17.5, umbo.x(), umbo.y());
    shell.closeSubpath();

    QRadialGradient fill(QPointF(-4, -2), 22);
    fill.setColorAt(0.0, QColor(242, 232, 205));
    fill.setColorAt(1.0, QColor(206, 184, 148));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(shell);

    p.save();
    p.setClipPath(shell, Qt::IntersectClip);
    const QColor brown(150, 100, 62);
    // two or three faint radial rays
    for (double angle : {70.0, 98.0, 124.0}) {
        const double a = (angle + rng.range(-5, 5)) * kPi / 180;
        QPainterPath ray;
        ray.moveTo(umbo);
        ray.lineTo(umbo + polar(a - 0.07, 40));
        ray.lineTo(umbo + polar(a + 0.07, 40));
        ray.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(160, 108, 66, 105));
        p.drawPath(ray);
    }
    // zigzag bands between growth lines
    for (double s = 0.38; s < 0.98; s += 0.13) {
        const QPainterPath ring = scaledAbout(shell, umbo, s);
        const double start = rng.range(0.05, 0.2);
        const double end = rng.range(0.8, 0.95);
        std::vector<QPointF> zig;
        const int teeth = int(18 * s);
        for (int k = 0; k <= teeth * 2; ++k) {
            const double at = start + (end - start) * k / (teeth * 2.0);
            const QPointF q = ring.pointAtPercent(at);
            QPointF towards = umbo - q;
            towards /= std::hypot(towards.x(), towards.y());
            zig.push_back(q + towards * ((k % 2) ? 1.9 : 0.0));
        }
        strokePolyline(p, zig, brown, 0.9);
    }
    // concentric ridges: a shadow line with a light crest just below it
    for (int k = 2; k <= 14; ++k) {
        const double s = k / 14.5;
        const QPainterPath ring = scaledAbout(shell, umbo, s);
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(QColor(170, 144, 106, 190), 0.6));
        p.drawPath(ring);
        p.setPen(pen(QColor(250, 244, 226, 150), 0.5));
        p.drawPath(scaledAbout(shell, umbo, s + 0.025));
    }
    p.restore();

    p.setPen(pen(QColor(118, 92, 66), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shell);
    fillEllipse(p, umbo + QPointF(0.3, 1.3), 1.6, 1.2, QColor(168, 134, 96));
}

// Tellina: thin, elongated, glossy rose-orange valve.
void drawTellina(QPainter &p, Rng &rng)
{
    QPainterPath shell;
    const QPointF umbo(3.0, -11.0);
    shell.moveTo(umbo);
    shell.cubicTo(11.0, -11.0, 21.0, -6.5, 23.5, -1.5);
    shell.cubicTo(25.0, 2.5, 19.0, 8.5, 9.0, 10.3);
    shell.cubicTo(-3.0, 12.2, -17.0, 10.5, -22.5, 4.5);
    shell.cubicTo(-25.5, 0.5, -24.0, -6.0, -16.5, -8.8);
    shell.cubicTo(-10.0, -11.0, -2.0, -11.2, umbo.x(), umbo.y());
    shell.closeSubpath();

    const double warmth = rng.range(-8, 8);
    QLinearGradient fill(QPointF(0, -11), QPointF(0, 11));
    fill.setColorAt(0.0, QColor(248, int(196 + warmth), 176));
    fill.setColorAt(0.55, QColor(238, int(150 + warmth), 128));
    fill.setColorAt(1.0, QColor(220, int(122 + warmth), 106));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(shell);

    p.save();
    p.setClipPath(shell, Qt::IntersectClip);
    // paler rays from the umbo
    for (double angle : {60.0, 105.0, 150.0}) {
        const double a = (angle + rng.range(-6, 6)) * kPi / 180;
        strokeLine(p, umbo, umbo + polar(a, 40), QColor(250, 214, 196, 110), 2.4);
    }
    // fine growth lines, alternately pale and rosy
    for (int k = 3; k <= 16; ++k) {
        p.setBrush(Qt::NoBrush);
        p.setPen(pen(k % 2 ? QColor(255, 236, 224, 120) : QColor(196, 104, 92, 110), 0.5));
        p.drawPath(scaledAbout(shell, umbo, k / 16.8));
    }
    // the gloss: a soft white streak on the upper half
    QRadialGradient gloss(QPointF(-6, -4.5), 9);
    gloss.setColorAt(0.0, QColor(255, 252, 246, 230));
    gloss.setColorAt(1.0, QColor(255, 252, 246, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(gloss);
    p.drawEllipse(QPointF(-6, -4.5), 11, 4);
    p.restore();

    p.setPen(pen(QColor(172, 92, 82), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shell);
    fillEllipse(p, umbo + QPointF(0, 1.0), 1.3, 0.9, QColor(200, 112, 96));
}

// Nassarius: spired shell, ribbed whorls, oval aperture with a white lip.
void drawNassarius(QPainter &p, Rng &rng)
{
    struct Whorl {
        QPointF centre;
        double rx;
        double ry;
    };
    const std::array<Whorl, 5> whorls = {{{{0.0, -17.0}, 2.2, 2.2},
                                          {{0.4, -13.6}, 3.9, 3.0},
                                          {{0.8, -9.0}, 5.9, 4.1},
                                          {{1.0, -3.2}, 8.4, 5.6},
                                          {{0.6, 7.0}, 11.2, 11.0}}};
    const double tint = rng.range(-10, 10);
    const QColor light(int(186 + tint), int(164 + tint), 130);
    const QColor dark(int(118 + tint), int(98 + tint), 76);
    for (size_t w = 0; w < whorls.size(); ++w) {
        const Whorl &whorl = whorls[w];
        QPainterPath shape;
        shape.addEllipse(whorl.centre, whorl.rx, whorl.ry);
        QRadialGradient fill(whorl.centre + QPointF(-whorl.rx * 0.35, -whorl.ry * 0.35), whorl.rx * 1.3);
        fill.setColorAt(0.0, light);
        fill.setColorAt(1.0, dark);
        p.setPen(Qt::NoPen);
        p.setBrush(fill);
        p.drawPath(shape);

        p.save();
        p.setClipPath(shape, Qt::IntersectClip);
        // spiral cords crossing the axial ribs give the reticulate sculpture
        for (double y = whorl.centre.y() - whorl.ry; y < whorl.centre.y() + whorl.ry; y += 2.4)
            strokeLine(p, QPointF(whorl.centre.x() - whorl.rx, y), QPointF(whorl.centre.x() + whorl.rx, y + 0.8),
                       QColor(dark.red(), dark.green(), dark.blue(), 120), 0.5);
        const double spacing = w + 1 == whorls.size() ? 2.7 : 2.2;
        for (double x = whorl.centre.x() - whorl.rx; x < whorl.centre.x() + whorl.rx; x += spacing) {
            QPainterPath rib;
            rib.moveTo(x, whorl.centre.y() - whorl.ry);
            rib.quadTo(x + 1.6, whorl.centre.y(), x + 0.4, whorl.centre.y() + whorl.ry);
            p.setBrush(Qt::NoBrush);
            p.setPen(pen(QColor(214, 196, 164), 0.9));
            p.drawPath(rib);
            p.setPen(pen(shade(dark, 0.85), 0.6));
            p.drawPath(rib.translated(0.8, 0));
        }
        if (w + 1 == whorls.size()) {
            // a darker spiral band on the body whorl
            strokeLine(p, QPointF(-12, 2.5), QPointF(12, 3.5), QColor(96, 74, 56, 150), 1.6);
        }
        p.restore();
        p.setPen(pen(QColor(88, 72, 56), 0.8));
        p.setBrush(Qt::NoBrush);
        p.drawPath(shape);
    }

    // columellar callus, then the dark aperture with its thickened lip
    fillEllipse(p, QPointF(0.2, 9.2), 3.0, 6.4, QColor(232, 220, 196), 10);
    fillEllipse(p, QPointF(3.6, 9.0), 4.4, 6.8, QColor(94, 66, 48), 12);
    p.save();
    p.translate(3.6, 9.0);
    p.rotate(12);
    p.setPen(pen(QColor(240, 230, 210), 1.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(-4.6, -7.0, 9.2, 14.0), -100 * 16, 200 * 16);
    p.restore();
    // siphonal notch
    strokeLine(p, QPointF(2.0, 15.5), QPointF(1.0, 18.2), QColor(94, 66, 48), 1.5);
}

// Antalis: a gently curved, tapering ivory tube, open at both ends.
void drawAntalis(QPainter &p, Rng &rng)
{
    const double radius = rng.range(50, 62);
    const double chord = 43.0;
    const double half = std::asin(chord / 2 / radius);
    const double sagitta = radius - std::sqrt(radius * radius - chord * chord / 4);
    // wide aperture at -x, apex at +x, convex side towards -y
    const auto centre = [&](double t) {
        const double a = -kPi / 2 - half + 2 * half * t;
        return QPointF(radius * std::cos(a), radius * std::sin(a) + radius - sagitta / 2);
    };
    std::vector<QPointF> line = sampleCurve(centre, 80);
    for (QPointF &q : line)
        q.setY(-q.y());
    const std::vector<Frame> frames = framesOf(line);
    const auto halfWidth = [](double t) { return 3.5 - 2.6 * t; };
    const QPainterPath tube = ribbon(frames, halfWidth);

    QLinearGradient fill(QPointF(0, -6), QPointF(0, 4));
    fill.setColorAt(0.0, QColor(250, 246, 232));
    fill.setColorAt(0.6, QColor(236, 228, 204));
    fill.setColorAt(1.0, QColor(206, 196, 168));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(tube);

    p.save();
    p.setClipPath(tube, Qt::IntersectClip);
    std::vector<QPointF> sheen;
    for (size_t i = 4; i + 4 < frames.size(); ++i) {
        const double t = double(i) / double(frames.size() - 1);
        sheen.push_back(frames[i].point + frames[i].normal * (halfWidth(t) * 0.35));
    }
    strokePolyline(p, sheen, QColor(255, 253, 246), 1.0);
    for (double t = 0.08; t < 0.95; t += rng.range(0.06, 0.1)) {
        const Frame &f = frames[size_t(t * (frames.size() - 1))];
        const double w = halfWidth(t);
        strokeLine(p, f.point + f.normal * w, f.point - f.normal * w, QColor(200, 190, 162, 150), 0.5);
    }
    p.restore();
    p.setPen(pen(QColor(160, 150, 124), 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tube);

    // the wide aperture seen slightly end-on
    const Frame &mouth = frames.front();
    const double angle = std::atan2(mouth.tangent.y(), mouth.tangent.x()) * 180 / kPi;
    fillEllipse(p, mouth.point, 1.4, 3.3, QColor(238, 230, 208), angle);
    fillEllipse(p, mouth.point, 0.8, 2.4, QColor(118, 106, 88), angle);
    fillEllipse(p, frames.back().point, 0.6, 0.8, QColor(150, 140, 116), angle);
}

// Ampelisca-like amphipod lying on its side: arched, segmented, coxal
// plates, legs below, long antennae in front, uropods behind.
void drawAmphipod(QPainter &p, Rng &rng)
{
    const double arch = rng.range(-1.0, 1.0);
    QPainterPath spine;
    spine.moveTo(-13.5, 0.5);
    spine.cubicTo(-5.0, -6.5 - arch, 8.0, -6.0 - arch, 13.5, 1.5);
    const auto centre = [&](double t) {
        if (t < 0.85)
            return spine.pointAtPercent(t / 0.85);
        // the urosome curls under
        const double u = (t - 0.85) / 0.15;
        return QPointF(13.5 + 2.5 * u, 1.5 + 5.0 * u);
    };
    const std::vector<Frame> frames = framesOf(sampleCurve(centre, 90));
    const auto halfWidth = [](double t) {
        return 2.8 + 1.2 * smoothstep(0.0, 0.2, t) - 2.6 * smoothstep(0.6, 1.0, t);
    };
    const auto frameAt = [&](double t) { return frames[size_t(std::clamp(t, 0.0, 1.0) * (frames.size() - 1))]; };

    const QColor shellColour(230, 214, 180);
    const QColor outline(128, 106, 76);
    const QColor limb(194, 172, 132);

    // antennae: the second pair is the long one
    const Frame head = frames.front();
    const QPointF front = head.point - head.tangent * 2.0;
    const double lift = rng.range(-0.15, 0.15);
    for (int k = 0; k < 2; ++k) {
        std::vector<QPointF> antenna;
        double heading = kPi + (k == 0 ? -0.55 : -0.95) + lift;
        QPointF at = front + QPointF(0, k == 0 ? -0.8 : 0.4);
        const int pieces = k == 0 ? 5 : 8;
        for (int i = 0; i <= pieces; ++i) {
            antenna.push_back(at);
            at += polar(heading, 1.3);
            heading += k == 0 ? 0.04 : 0.09;
        }
        taperedStroke(p, antenna, shade(limb, 0.9), 1.2, 0.9);
    }
    // walking legs, the front ones reaching forward
    for (int leg = 0; leg < 7; ++leg) {
        const double t = 0.18 + 0.07 * leg;
        const Frame f = frameAt(t);
        const double w = halfWidth(t);
        const double sweep = leg < 2 ? -1.0 : (leg < 4 ? 0.3 : 1.0);
        const QPointF hip = f.point + f.normal * (w + 1.5);
        const QPointF knee = hip + f.normal * 3.2 + f.tangent * (sweep * 1.6);
        const QPointF foot = knee + f.normal * 2.6 + f.tangent * (sweep * 2.2 + rng.range(-0.4, 0.4));
        taperedStroke(p, {hip, knee, foot}, limb, 1.3, 0.9);
    }
    // pleopods and uropods
    for (double t : {0.66, 0.72, 0.78}) {
        const Frame f = frameAt(t);
        strokeLine(p, f.point + f.normal * halfWidth(t), f.point + f.normal * (halfWidth(t) + 2.2) - f.tangent * 0.8,
                   limb, 1.1);
    }
    const Frame tail = frames.back();
    for (double a : {-0.45, 0.0, 0.45}) {
        const QPointF dir = tail.tangent * std::cos(a) + tail.normal * std::sin(a);
        strokeLine(p, tail.point, tail.point + dir * 3.6, limb, 1.1);
    }

    const QPainterPath body = ribbon(frames, halfWidth);
    p.setPen(pen(outline, 0.9));
    p.setBrush(shellColour);
    p.drawPath(body);
    // coxal plates hang below the first four segments
    for (int k = 0; k < 4; ++k) {
        const double t = 0.2 + 0.085 * k;
        const Frame f = frameAt(t);
        const QPointF c = f.point + f.normal * (halfWidth(t) + 0.6);
        p.save();
        p.translate(c);
        p.rotate(std::atan2(f.tangent.y(), f.tangent.x()) * 180 / kPi);
        p.setPen(pen(outline, 0.7));
        p.setBrush(shade(shellColour, 0.97));
        p.drawEllipse(QPointF(0, 0), 1.9, 2.2);
        p.restore();
    }
    p.save();
    p.setClipPath(body, Qt::IntersectClip);
    // the gut shows through the translucent body
    std::vector<QPointF> gut;
    for (size_t i = frames.size() / 8; i < frames.size() * 4 / 5; ++i)
        gut.push_back(frames[i].point + frames[i].normal * 0.6);
    strokePolyline(p, gut, QColor(176, 150, 100), 1.3);
    std::vector<QPointF> back;
    for (size_t i = 2; i < frames.size() * 3 / 4; ++i) {
        const double t = double(i) / double(frames.size() - 1);
        back.push_back(frames[i].point - frames[i].normal * (halfWidth(t) * 0.55));
    }
    strokePolyline(p, back, QColor(248, 238, 214), 0.9);
    for (int s = 1; s < 14; ++s) {
        const double t = 0.12 + 0.062 * s;
        const Frame f = frameAt(t);
        const double w = halfWidth(t);
        strokeLine(p, f.point - f.normal * w, f.point + f.normal * w, shade(shellColour, 0.8), 0.6);
    }
    p.restore();
    // two pairs of corneal lenses on the head
    const Frame eye = frameAt(0.04);
    fillEllipse(p, eye.point - eye.normal * 1.4, 0.8, 0.8, QColor(168, 48, 40));
    fillEllipse(p, eye.point + eye.normal * 0.6 - eye.tangent * 1.2, 0.7, 0.7, QColor(168, 48, 40));
}

// Cumacean: swollen carapace with a pointed pseudorostrum, short thorax, a
// thin upturned tail ending in forked uropods.
void drawCumacean(QPainter &p, Rng &rng)
{
    const QColor pale(236, 228, 204);
    const QColor outline(136, 124, 96);
    const QColor limb(204, 192, 162);
    const double flick = rng.range(-1.2, 1.2);

    // tail first so the thorax covers its root
    const auto tailCentre = [&](double t) {
        return QPointF(3.0 + 14.0 * t, 1.0 - (5.0 + flick) * t * t);
    };
    const std::vector<Frame> tail = framesOf(sampleCurve(tailCentre, 40));
    const auto tailWidth = [](double t) { return 1.7 - 0.6 * t; };
    // uropods: a stalk then two slender rami
    const Frame end = tail.back();
    const QPointF stalkEnd = end.point + end.tangent * 3.6;
    strokeLine(p, end.point, stalkEnd, limb, 1.2);
    for (int side = -1; side <= 1; side += 2) {
        const QPointF dir = end.tangent * std::cos(0.35) + end.normal * (std::sin(0.35) * side);
        strokeLine(p, stalkEnd, stalkEnd + dir * 3.2, limb, 0.9);
        strokeLine(p, end.point + end.tangent * 1.2, end.point + end.tangent * 1.2 + dir * 2.8, limb, 0.8);
    }
    const QPainterPath tailPath = ribbon(tail, tailWidth);
    p.setPen(pen(outline, 0.8));
    p.setBrush(pale);
    p.drawPath(tailPath);
    for (double t = 0.16; t < 0.95; t += 0.16) {
        const Frame &f = tail[size_t(t * (tail.size() - 1))];
        strokeLine(p, f.point + f.normal * tailWidth(t), f.point - f.normal * tailWidth(t), outline, 0.5);
    }

    // legs under the thorax
    for (int leg = 0; leg < 4; ++leg) {
        const QPointF hip(-5.0 + 2.4 * leg, 4.0);
        const QPointF knee = hip + QPointF(0.8 + 0.4 * leg, 3.2);
        const QPointF foot = knee + QPointF(1.5 + 0.3 * leg, 2.0 + rng.range(-0.4, 0.4));
        taperedStroke(p, {hip, knee, foot}, limb, 1.2, 0.9);
    }
    // the long first leg reaches forward under the carapace
    taperedStroke(p, {QPointF(-9, 4.5), QPointF(-14, 7.2), QPointF(-19, 7.8)}, limb, 1.2, 0.9);

    // free thoracic segments
    QPainterPath thorax;
    thorax.moveTo(-5.0, -5.0);
    thorax.cubicTo(-1.0, -5.0, 3.0, -3.0, 5.0, -1.5);
    thorax.lineTo(5.0, 2.6);
    thorax.cubicTo(2.0, 3.8, -2.0, 4.8, -5.0, 5.0);
    thorax.closeSubpath();
    p.setPen(pen(outline, 0.8));
    p.setBrush(pale);
    p.drawPath(thorax);
    for (double x : {-2.6, -0.2, 2.2})
        strokeLine(p, QPointF(x, -4.6 + 0.35 * (x + 5)), QPointF(x, 4.6 - 0.3 * (x + 5)), outline, 0.5);

    // the carapace, swollen, tapering to the pseudorostrum
    QPainterPath carapace;
    carapace.moveTo(-20.0, -0.5);
    carapace.cubicTo(-17.0, -4.0, -13.0, -7.8, -7.0, -7.6);
    carapace.cubicTo(-3.0, -7.4, -1.2, -4.0, -1.5, 0.0);
    carapace.cubicTo(-1.8, 4.5, -5.0, 6.4, -10.0, 6.0);
    carapace.cubicTo(-14.5, 5.6, -17.5, 2.5, -20.0, -0.5);
    carapace.closeSubpath();
    QRadialGradient fill(QPointF(-9, -3.5), 10);
    fill.setColorAt(0.0, QColor(248, 244, 228));
    fill.setColorAt(1.0, QColor(216, 204, 172));
    p.setPen(pen(outline, 0.9));
    p.setBrush(fill);
    p.drawPath(carapace);
    p.save();
    p.setClipPath(carapace, Qt::IntersectClip);
    // a lateral ridge, and brown chromatophores
    QPainterPath ridge;
    ridge.moveTo(-18.0, -0.5);
    ridge.quadTo(-10.0, -2.0, -2.5, 1.0);
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(200, 186, 150), 0.7));
    p.drawPath(ridge);
    for (int i = 0; i < 7; ++i)
        fillEllipse(p, QPointF(rng.range(-15, -4), rng.range(-5, 4)), 0.8, 0.7, QColor(150, 116, 84));
    p.restore();
    fillEllipse(p, QPointF(-15.0, -3.2), 1.0, 0.9, QColor(70, 56, 44));
}

// Liocarcinus: swimming crab from above, toothed carapace wider than long,
// claws forward, three walking legs and a paddle on each side.
void drawLiocarcinus(QPainter &p, Rng &rng)
{
    p.translate(0, 1.0); // the claws reach further than the paddles
    const double tint = rng.range(-8, 8);
    const QColor legColour(int(140 + tint), int(122 + tint), 76);
    const QColor legDark(int(92 + tint), int(80 + tint), 48);
    const QColor carapaceLight(int(156 + tint), int(140 + tint), 86);
    const QColor carapaceDark(int(104 + tint), int(92 + tint), 54);

    for (int side = -1; side <= 1; side += 2) {
        const auto m = [side](double x, double y) { return QPointF(side * x, y); };
        const double wave = rng.range(-0.8, 0.8);
        // walking legs: merus out from the flank, then the dactyl
        const std::array<std::array<QPointF, 3>, 3> legs = {{{m(10.0, -1.0), m(15.5, -4.5 + wave), m(19.5, -1.5)},
                                                             {m(10.5, 2.2), m(16.5, 1.5 + wave), m(20.0, 5.5)},
                                                             {m(9.0, 5.0), m(14.5, 7.5 + wave), m(17.0, 11.5)}}};
        for (const auto &leg : legs) {
            outlinedStroke(p, {leg[1], leg[2]}, legColour, legDark, 1.5);
            outlinedStroke(p, {leg[0], leg[1]}, legColour, legDark, 2.3);
        }
        // fifth leg: the swimming paddle, bluish in the living crab
        outlinedStroke(p, {m(6.5, 7.5), m(10.5, 12.0)}, legColour, legDark, 2.1);
        fillEllipse(p, m(12.8, 14.8), 3.6, 2.3, legDark, side * 52);
        fillEllipse(p, m(12.8, 14.8), 3.0, 1.7, QColor(112, 110, 128), side * 52);

        // cheliped: merus and carpus out to the side, then a stout claw
        // held forward with its pincer open
        const QColor claw(int(152 + tint), int(132 + tint), 82);
        outlinedStroke(p, {m(7.5, -5.0), m(12.0, -9.0), m(12.2, -12.6)}, legColour, legDark, 3.0);
        const QPointF palm = m(10.2, -15.6);
        fillEllipse(p, palm, 4.6, 3.3, legDark, side * -58);
        fillEllipse(p, palm, 3.9, 2.6, claw, side * -58);
        fillEllipse(p, palm + m(-0.8, -0.6), 1.6, 1.0, shade(claw, 1.15), side * -58);
        outlinedStroke(p, {m(8.6, -18.6), m(6.6, -21.2)}, QColor(92, 72, 46), QColor(54, 42, 28), 1.4);
        outlinedStroke(p, {m(7.4, -17.2), m(4.6, -18.8)}, QColor(92, 72, 46), QColor(54, 42, 28), 1.2);
    }

    // carapace: frontal lobes, orbits, five anterolateral teeth, then the
    // converging posterolateral margins
    std::vector<QPointF> right;
    right.push_back({0.0, -9.6});
    right.push_back({1.2, -9.0});
    right.push_back({2.3, -9.7});
    right.push_back({3.4, -9.0});
    right.push_back({4.2, -8.2});
    for (int i = 0; i <= 10; ++i) {
        const double a = (-64.0 + 58.0 * i / 10.0) * kPi / 180;
        const double bump = (i % 2) ? 1.13 : 1.0;
        right.push_back({12.4 * std::cos(a) * bump, 9.6 * std::sin(a) * bump});
    }
    right.push_back({11.8, 2.5});
    right.push_back({9.5, 6.0});
    right.push_back({6.0, 8.6});
    right.push_back({0.0, 9.0});
    QPolygonF outline;
    for (const QPointF &q : right)
        outline << q;
    for (size_t i = right.size(); i-- > 0;)
        outline << QPointF(-right[i].x(), right[i].y());
    QPainterPath carapace;
    carapace.addPolygon(outline);
    carapace.closeSubpath();

    QRadialGradient fill(QPointF(-2, -2), 14);
    fill.setColorAt(0.0, carapaceLight);
    fill.setColorAt(1.0, carapaceDark);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(carapace);
    p.save();
    p.setClipPath(carapace, Qt::IntersectClip);
    for (int i = 0; i < 14; ++i)
        fillEllipse(p, QPointF(rng.range(-10, 10), rng.range(-7, 7)), rng.range(0.6, 1.3), rng.range(0.5, 1.0),
                    QColor(int(176 + tint), int(160 + tint), 108, 150), rng.range(0, 180));
    // the H-shaped grooves between gastric and cardiac regions
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(86, 74, 44, 170), 0.6));
    QPainterPath grooves;
    grooves.moveTo(-4.5, -1.0);
    grooves.quadTo(0.0, 1.5, 4.5, -1.0);
    grooves.moveTo(-2.5, 1.0);
    grooves.lineTo(-3.0, 5.0);
    grooves.moveTo(2.5, 1.0);
    grooves.lineTo(3.0, 5.0);
    p.drawPath(grooves);
    p.restore();
    p.setPen(pen(QColor(66, 56, 32), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawPath(carapace);
    for (int side = -1; side <= 1; side += 2)
        fillEllipse(p, QPointF(side * 3.9, -9.4), 1.2, 1.1, QColor(40, 34, 24));
}

// Amphiura filiformis: small disc, five very long, thin, wiggling arms.
void drawAmphiura(QPainter &p, Rng &rng)
{
    const double turn = rng.range(0, 2 * kPi / 5);
    const QColor arm(152, 134, 114);
    const QColor armLight(186, 172, 154);
    for (int k = 0; k < 5; ++k) {
        const double base = turn + k * 2 * kPi / 5 + rng.range(-0.15, 0.15);
        const double phase = rng.range(0, 2 * kPi);
        const double wiggle = rng.range(1.4, 2.4);
        const double frequency = rng.range(0.30, 0.42);
        const double length = rng.range(18.0, 19.5);
        std::vector<QPointF> points;
        for (double r = 3.5; r <= length; r += 0.7) {
            const double side = wiggle * std::sin(phase + frequency * r) * (r - 3.5) / 16.0;
            points.push_back(polar(base, r) + polar(base + kPi / 2, side));
        }
        taperedStroke(p, points, arm, 2.5, 1.3);
        // the articulated look: pale joints every other step
        for (size_t i = 2; i + 3 < points.size(); i += 2)
            fillEllipse(p, points[i], 0.55, 0.55, armLight);
    }
    QRadialGradient disc(QPointF(-0.8, -0.8), 5.2);
    disc.setColorAt(0.0, QColor(140, 120, 104));
    disc.setColorAt(1.0, QColor(108, 92, 78));
    p.setPen(pen(QColor(86, 72, 60), 0.7));
    p.setBrush(disc);
    p.drawEllipse(QPointF(0, 0), 4.6, 4.6);
    // paired radial shields sit at the base of each arm
    for (int k = 0; k < 5; ++k) {
        const double a = turn + k * 2 * kPi / 5;
        for (int side = -1; side <= 1; side += 2)
            fillEllipse(p, polar(a + side * 0.32, 3.1), 1.0, 0.6, QColor(196, 182, 162), (a + side * 0.32) * 180 / kPi);
    }
    fillEllipse(p, QPointF(0, 0), 1.0, 1.0, QColor(92, 78, 66));
}

// Echinocardium cordatum: heart-shaped test under a coat of fine yellowish
// spines, four petals and the anterior groove showing through.
void drawEchinocardium(QPainter &p, Rng &rng)
{
    QPainterPath test;
    // the notch of the anterior groove makes the heart
    test.moveTo(0.0, -10.5);
    test.cubicTo(1.5, -15.0, 6.0, -17.5, 10.0, -16.0);
    test.cubicTo(14.5, -14.0, 16.2, -7.0, 15.8, -1.0);
    test.cubicTo(15.4, 7.0, 10.5, 14.0, 5.0, 16.6);
    test.cubicTo(2.0, 17.6, -2.0, 17.6, -5.0, 16.6);
    test.cubicTo(-10.5, 14.0, -15.4, 7.0, -15.8, -1.0);
    test.cubicTo(-16.2, -7.0, -14.5, -14.0, -10.0, -16.0);
    test.cubicTo(-6.0, -17.5, -1.5, -15.0, 0.0, -10.5);
    test.closeSubpath();

    // the spine coat softens the outline
    const QColor spine(206, 182, 118);
    for (int i = 0; i < 90; ++i) {
        const double at = rng.uniform();
        const QPointF q = test.pointAtPercent(at);
        QPointF out = q - QPointF(0, 0);
        out /= std::hypot(out.x(), out.y());
        const QPointF backwards(0, 1);
        const QPointF dir = out * 0.8 + backwards * 0.35;
        strokeLine(p, q - dir * 0.8, q + dir * rng.range(0.8, 1.5), shade(spine, rng.range(0.85, 1.0)), 1.0);
    }
    QRadialGradient fill(QPointF(-2, -3), 19);
    fill.setColorAt(0.0, QColor(234, 214, 152));
    fill.setColorAt(0.7, QColor(212, 186, 122));
    fill.setColorAt(1.0, QColor(170, 140, 82));
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(test);

    p.save();
    p.setClipPath(test, Qt::IntersectClip);
    for (int i = 0; i < 420; ++i) {
        const QPointF q(rng.range(-16, 16), rng.range(-17, 17));
        const double a = kPi / 2 + rng.range(-0.7, 0.7);
        const QColor c = rng.uniform() < 0.5 ? QColor(236, 216, 156) : QColor(180, 152, 94);
        strokeLine(p, q, q + polar(a, rng.range(0.8, 1.6)), c, 0.6);
    }
    const QPointF apex(0.0, -3.0);
    // anterior groove down to the notch
    strokeLine(p, apex, QPointF(0.0, -12.0), QColor(150, 120, 70), 2.6);
    strokeLine(p, apex, QPointF(0.0, -12.0), QColor(190, 162, 104), 0.8);
    // the periproct at the truncated hind end
    fillEllipse(p, QPointF(0.0, 14.5), 2.2, 1.6, QColor(150, 120, 70));
    // the internal fasciole: a thin band around the petals
    p.setBrush(Qt::NoBrush);
    p.setPen(pen(QColor(168, 140, 88, 170), 0.6));
    p.drawEllipse(apex + QPointF(0, 1.5), 9.5, 8.5);
    // petals: bare, darker, with pore rows along their edges
    const std::array<std::pair<double, double>, 4> petals = {{{-158.0, 9.5}, {-22.0, 9.5}, {122.0, 8.0}, {58.0, 8.0}}};
    for (const auto &[angle, length] : petals) {
        p.save();
        p.translate(apex);
        p.rotate(angle);
        QPainterPath petal;
        petal.moveTo(0.8, 0);
        petal.quadTo(length * 0.5, -2.6, length, 0);
        petal.quadTo(length * 0.5, 2.6, 0.8, 0);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(146, 116, 66));
        p.drawPath(petal);
        for (double x = 2.0; x < length - 0.5; x += 1.4) {
            const double h = 1.2 * std::sin(kPi * x / length);
            fillEllipse(p, QPointF(x, -h), 0.35, 0.35, QColor(232, 214, 164));
            fillEllipse(p, QPointF(x, h), 0.35, 0.35, QColor(232, 214, 164));
        }
        p.restore();
    }
    fillEllipse(p, apex, 1.2, 1.2, QColor(150, 122, 74));
    p.restore();
    p.setPen(pen(QColor(150, 124, 74, 200), 0.7));
    p.setBrush(Qt::NoBrush);
    p.drawPath(test);
}

// Capitella capitata: a thin red-brown thread, irregularly coiled.
void drawCapitella(QPainter &p, Rng &rng)
{
    // walk a thread whose bending wanders but mostly turns one way, which
    // coils it loosely like a preserved worm
    const double length = rng.range(88, 98);
    const double bend = 2 * kPi * rng.range(1.2, 1.45) / length;
    const double wobble = rng.range(0.05, 0.09);
    const double wobbleRate = rng.range(0.14, 0.22);
    const double phase = rng.range(0, 2 * kPi);
    std::vector<QPointF> points;
    QPointF at(0, 0);
    double heading = rng.range(0, 2 * kPi);
    const double step = 0.8;
    for (double s = 0; s <= length; s += step) {
        points.push_back(at);
        heading += step * (bend * (0.55 + 0.9 * s / length) + wobble * std::sin(phase + wobbleRate * s));
        at += polar(heading, step);
    }
    // centre it and keep it inside the cell
    QRectF box(points.front(), QSizeF(0, 0));
    for (const QPointF &q : points)
        box = box.united(QRectF(q, QSizeF(0.001, 0.001)));
    const double fit = std::min(1.0, 36.0 / std::max(box.width(), box.height()));
    for (QPointF &q : points)
        q = (q - box.center()) * fit;

    const std::vector<Frame> frames = framesOf(points);
    // the thorax at the head end is thicker and redder than the abdomen
    const auto halfWidth = [](double t) { return 1.25 - 0.45 * smoothstep(0.15, 0.7, t); };
    p.setPen(pen(QColor(100, 38, 30), 0.7));
    p.setBrush(QColor(150, 58, 44));
    p.drawPath(ribbon(frames, halfWidth));
    for (size_t i = 0; i + 1 < frames.size(); ++i) {
        const double t = double(i) / double(frames.size() - 1);
        if (i % 3 == 0)
            fillEllipse(p, frames[i].point, halfWidth(t) * 0.5, halfWidth(t) * 0.5,
                        t < 0.2 ? QColor(200, 88, 66) : QColor(170, 72, 56));
    }
    const Frame &head = frames.front();
    fillEllipse(p, head.point - head.tangent * 0.6, 1.4, 1.1, QColor(180, 72, 54),
                std::atan2(head.tangent.y(), head.tangent.x()) * 180 / kPi);
}

struct Taxon {
    void (*draw)(QPainter &, Rng &);
    double baseAngle; // degrees; long bodies lie along the diagonal
    const char *name;
};

const std::array<Taxon, kSpecies> kTaxa = {{
    {drawNephtys, -45.0, "Nephtys (polichete errante)"},
    {drawLanice, -45.0, "Lanice conchilega (polichete tubicolo)"},
    {drawChamelea, 0.0, "Chamelea gallina (vongola comune)"},
    {drawTellina, -40.0, "Tellina (tellina)"},
    {drawNassarius, -25.0, "Nassarius (lumachino, gasteropode nassaride)"},
    {drawAntalis, -45.0, "Antalis (dentalio, scafopode)"},
    {drawAmphipod, -15.0, "Ampelisca (anfipode)"},
    {drawCumacean, -15.0, "Cumacea (cumaceo)"},
    {drawLiocarcinus, 0.0, "Liocarcinus (granchio nuotatore)"},
    {drawAmphiura, 0.0, "Amphiura filiformis (ofiura)"},
    {drawEchinocardium, 0.0, "Echinocardium cordatum (riccio di mare cuoriforme)"},
    {drawCapitella, 0.0, "Capitella capitata (polichete opportunista)"},
}};

QRgb keepAwayFromKey(QRgb c)
{
    const int distance = std::max({255 - qRed(c), qGreen(c), 255 - qBlue(c)});
    if (distance >= kKeyClearance)
        return c;
    // only a strong magenta gets here; pulling green up turns it pinkish grey
    return qRgb(qRed(c), kKeyClearance, qBlue(c));
}

// Hard-edged sprite: enough coverage means opaque, finished against the
// edge colour; anything less is key.
void stamp(QImage &sheet, const QImage &sprite, QPoint at)
{
    for (int y = 0; y < kCell; ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(sprite.constScanLine(y));
        QRgb *dst = reinterpret_cast<QRgb *>(sheet.scanLine(at.y() + y)) + at.x();
        for (int x = 0; x < kCell; ++x) {
            const QRgb s = src[x];
            const int a = qAlpha(s);
            const bool inner = x >= kInnerOffset && x < kInnerOffset + kInnerSize && y >= kInnerOffset &&
                               y < kInnerOffset + kInnerSize;
            if (!inner || a < kCoverageThreshold) {
                dst[x] = kKey;
                continue;
            }
            const auto over = [a](int premultiplied, int edge) {
                return std::clamp(premultiplied + (edge * (255 - a) + 127) / 255, 0, 255);
            };
            dst[x] = keepAwayFromKey(
                qRgb(over(qRed(s), qRed(kEdge)), over(qGreen(s), qGreen(kEdge)), over(qBlue(s), qBlue(kEdge))));
        }
    }
}

QImage renderSprite(int species, int orientation, quint32 seed, double scale)
{
    Rng rng((quint64(seed) << 16) ^ quint64(species * 8 + orientation) * 0x2545F4914F6CDD1Dull);
    QImage sprite(kCell, kCell, QImage::Format_ARGB32_Premultiplied);
    sprite.fill(Qt::transparent);
    QPainter p(&sprite);
    p.setRenderHint(QPainter::Antialiasing);
    // the inner square is centred on the cell, so quarter turns about its
    // centre keep every orientation inside it
    p.translate(kCell / 2.0, kCell / 2.0);
    p.rotate(kTaxa[size_t(species)].baseAngle + 90.0 * orientation);
    p.scale(scale, scale);
    kTaxa[size_t(species)].draw(p, rng);
    return sprite;
}

// True when nothing opaque touches the inner square's outermost pixels.
bool keepsMargin(const QImage &sprite)
{
    const int low = kInnerOffset + 1;
    const int high = kInnerOffset + kInnerSize - 2;
    for (int y = 0; y < kCell; ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(sprite.constScanLine(y));
        for (int x = 0; x < kCell; ++x)
            if (qAlpha(row[x]) >= kCoverageThreshold && (x < low || x > high || y < low || y > high))
                return false;
    }
    return true;
}

} // namespace

QRgb faunaKeyColour() { return kKey; }

QStringList faunaTaxaNames()
{
    QStringList names;
    for (const Taxon &taxon : kTaxa)
        names << QString::fromUtf8(taxon.name);
    return names;
}

QImage generateFaunaSheet(quint32 seed)
{
    QImage sheet(kCell * kSpecies, kCell * kOrientations, QImage::Format_RGB32);
    sheet.fill(kKey);
    for (int species = 0; species < kSpecies; ++species) {
        // Poses vary with the seed, and a wide one could poke out of the
        // cell: shrink the whole species a little until all four poses keep
        // a key margin, so the orientations stay the same size.
        std::array<QImage, kOrientations> sprites;
        double scale = 1.0;
        for (int attempt = 0; attempt < 12; ++attempt, scale *= 0.96) {
            bool fits = true;
            for (int orientation = 0; orientation < kOrientations; ++orientation) {
                sprites[size_t(orientation)] = renderSprite(species, orientation, seed, scale);
                fits = fits && keepsMargin(sprites[size_t(orientation)]);
            }
            if (fits)
                break;
        }
        for (int orientation = 0; orientation < kOrientations; ++orientation)
            stamp(sheet, sprites[size_t(orientation)], QPoint(species * kCell, orientation * kCell));
    }
    return sheet;
}
