#include "FaunaSprites.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace fauna {

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

} // namespace fauna
