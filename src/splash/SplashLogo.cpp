#include "SplashLogo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cstdint>

namespace {

QColor grey(int level) { return QColor(level, level, level); }

// Sand grains: the sediment's pixels get a fixed speckle from a small
// linear congruential sequence, so the logo never changes.
void speckleSediment(QImage &image, int sedimentLevel)
{
    std::uint32_t seed = 0x2545F491u;
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qRed(row[x]) != sedimentLevel)
                continue;
            seed = seed * 1664525u + 1013904223u;
            const int shift = int(seed >> 28) - 8; // -8..7
            const int level = std::clamp(sedimentLevel + shift * 3, 0, 255);
            row[x] = qRgb(level, level, level);
        }
    }
}

void drawWater(QPainter &p)
{
    QLinearGradient water(0, 0, 0, splashlogo::kHeight);
    water.setColorAt(0.0, grey(238));
    water.setColorAt(1.0, grey(168));
    p.fillRect(QRect(0, 0, splashlogo::kWidth, splashlogo::kHeight), water);
    // Light from above, slanting through the water.
    p.setPen(QPen(grey(246), 3));
    for (int i = 0; i < 4; ++i)
        p.drawLine(20 + 38 * i, 0, 4 + 38 * i, 120);
}

void drawSediment(QPainter &p, int level)
{
    QPainterPath floor;
    floor.moveTo(0, 206);
    floor.cubicTo(50, 196, 120, 214, 186, 202);
    floor.lineTo(186, 269);
    floor.lineTo(0, 269);
    floor.closeSubpath();
    p.fillPath(floor, grey(level));
}

// A Van Veen grab, open, as it goes down: two scoops on a hinge, their
// levers hung from the cable by chains.
void drawGrab(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF hinge(93, 74);
    const QPointF ring(93, 22);
    const QPointF leftLever(50, 40);
    const QPointF rightLever(136, 40);

    p.setPen(QPen(grey(60), 2));
    p.drawLine(QPointF(93, 0), ring - QPointF(0, 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(ring, 4, 4);
    p.setPen(QPen(grey(70), 1.5, Qt::DashLine));
    p.drawLine(ring + QPointF(-3, 3), leftLever);
    p.drawLine(ring + QPointF(3, 3), rightLever);
    p.setPen(QPen(grey(45), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(leftLever, hinge);
    p.drawLine(rightLever, hinge);

    const QRectF swing(hinge.x() - 36, hinge.y() - 36, 72, 72);
    p.setPen(QPen(grey(25), 2));
    p.setBrush(grey(85));
    p.drawPie(swing, 180 * 16, 72 * 16);
    p.drawPie(swing, 288 * 16, 72 * 16);
    // The scoops' inner faces catch the light.
    p.setPen(QPen(grey(160), 1.5));
    p.drawLine(hinge, hinge + QPointF(-30, 20));
    p.drawLine(hinge, hinge + QPointF(30, 20));
    p.setBrush(grey(30));
    p.setPen(Qt::NoPen);
    p.drawEllipse(hinge, 3.5, 3.5);
}

void drawSieve(QPainter &p)
{
    const QRectF rim(18, 128, 150, 62);
    p.setPen(QPen(grey(40), 4));
    p.setBrush(grey(212));
    p.drawEllipse(rim);
    // The mesh, clipped to the inside of the rim.
    p.save();
    QPainterPath inside;
    inside.addEllipse(rim.adjusted(3, 3, -3, -3));
    p.setClipPath(inside);
    p.setPen(QPen(grey(150), 1));
    for (int x = 20; x < 170; x += 7)
        p.drawLine(QPointF(x, 128), QPointF(x - 10, 190));
    for (int y = 130; y < 190; y += 5)
        p.drawLine(QPointF(18, y), QPointF(168, y));
    p.restore();
}

void drawAnimals(QPainter &p)
{
    // A bivalve: a fan of ribs on a rounded shell.
    p.setPen(QPen(grey(25), 1.5));
    p.setBrush(grey(70));
    QPainterPath shell;
    shell.moveTo(48, 166);
    shell.cubicTo(40, 146, 74, 142, 72, 164);
    shell.closeSubpath();
    p.drawPath(shell);
    p.setPen(QPen(grey(150), 1));
    for (int i = 0; i < 4; ++i)
        p.drawLine(QPointF(60, 166), QPointF(49 + 7 * i, 151));

    // A polychaete worm: a wavy body with little parapodia.
    QPainterPath worm;
    worm.moveTo(84, 172);
    for (int i = 0; i < 4; ++i)
        worm.cubicTo(90 + 12 * i, 160, 94 + 12 * i, 182, 100 + 12 * i, 172);
    p.setPen(QPen(grey(35), 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(worm);
    p.setPen(QPen(grey(35), 1));
    for (int i = 0; i < 9; ++i) {
        const QPointF at = worm.pointAtPercent(0.05 + 0.1 * i);
        p.drawLine(at + QPointF(0, -4), at + QPointF(0, 4));
    }

    // A gastropod: a spire of shrinking whorls.
    p.setPen(QPen(grey(20), 1.5));
    p.setBrush(grey(95));
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF(146 - 3 * i, 160 - 5 * i), 11 - 2.5 * i, 7 - 1.5 * i);

    // An amphipod, curled, on the sediment surface below the sieve.
    p.setPen(QPen(grey(45), 3, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(122, 214, 30, 22), 200 * 16, 240 * 16);
    p.setPen(QPen(grey(45), 1));
    for (int i = 0; i < 5; ++i)
        p.drawLine(QPointF(128 + 4 * i, 232), QPointF(126 + 4 * i, 240));

    // A burrowing worm's U-shaped tube in the sediment.
    p.setPen(QPen(grey(70), 3));
    QPainterPath burrow;
    burrow.moveTo(30, 205);
    burrow.cubicTo(28, 262, 78, 262, 76, 207);
    p.drawPath(burrow);
    p.setPen(QPen(grey(225), 2));
    p.drawLine(QPointF(30, 205), QPointF(30, 216));
}

} // namespace

namespace splashlogo {

QImage draw()
{
    constexpr int kSediment = 118;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    {
        QPainter p(&image);
        drawWater(p);
        drawSediment(p, kSediment);
    }
    speckleSediment(image, kSediment);
    {
        QPainter p(&image);
        drawGrab(p);
        drawSieve(p);
        drawAnimals(p);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(grey(60));
        p.setBrush(Qt::NoBrush);
        p.drawRect(0, 0, kWidth - 1, kHeight - 1);
    }
    return image.convertToFormat(QImage::Format_Grayscale8);
}

} // namespace splashlogo
