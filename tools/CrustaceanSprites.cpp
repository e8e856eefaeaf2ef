#include "FaunaSprites.h"

#include <QLinearGradient>
#include <QPolygonF>
#include <QRadialGradient>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace fauna {

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

} // namespace fauna
