#include "FaunaSprites.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace fauna {

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

} // namespace fauna
