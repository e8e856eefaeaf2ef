#include "FaunaSprites.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace fauna {

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

} // namespace fauna
