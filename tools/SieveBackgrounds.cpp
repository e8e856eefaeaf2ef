#include "SieveBackgrounds.h"

#include "SplitMix64.h"

#include <QColor>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kSize = 600;

using Rng = SplitMix64;

quint64 mix(quint64 z) { return SplitMix64::mix(z); }

// Value noise on a hashed (not stored) lattice: it never repeats, so the
// trays show no tiling however large they get.
double lattice(quint64 seed, int x, int y)
{
    const quint64 h = mix(seed ^ (quint64(quint32(x)) * 0x9E3779B97F4A7C15ull) ^
                          (quint64(quint32(y)) * 0xC2B2AE3D27D4EB4Full));
    return double(h >> 11) * 0x1.0p-53 * 2.0 - 1.0;
}

double valueNoise(quint64 seed, double x, double y)
{
    const int x0 = int(std::floor(x));
    const int y0 = int(std::floor(y));
    const double fx = x - x0;
    const double fy = y - y0;
    const double sx = fx * fx * (3 - 2 * fx);
    const double sy = fy * fy * (3 - 2 * fy);
    const double a = lattice(seed, x0, y0);
    const double b = lattice(seed, x0 + 1, y0);
    const double c = lattice(seed, x0, y0 + 1);
    const double d = lattice(seed, x0 + 1, y0 + 1);
    return (a + (b - a) * sx) * (1 - sy) + (c + (d - c) * sx) * sy;
}

// Several octaves, roughly in [-1, 1].
double fractalNoise(quint64 seed, double x, double y, double scale, int octaves)
{
    double sum = 0;
    double amplitude = 1;
    double norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amplitude * valueNoise(seed + quint64(o) * 0x632BE59BD9B4E019ull, x / scale, y / scale);
        norm += amplitude;
        amplitude *= 0.5;
        scale /= 2;
    }
    return sum / norm;
}

int channel(double v) { return std::clamp(int(std::lround(v)), 0, 255); }

// A plain tray colour with just enough mottling not to look synthetic.
QImage plainTray(quint64 seed, QColor colour, double cloud, double grain)
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    Rng rng(seed);
    for (int y = 0; y < kSize; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kSize; ++x) {
            const double f = cloud * fractalNoise(seed, x, y, 160, 4) + grain * (rng.uniform() * 2 - 1);
            row[x] = qRgb(channel(colour.red() + f), channel(colour.green() + f), channel(colour.blue() + f));
        }
    }
    return image;
}

QImage sandTray(quint64 seed)
{
    QImage image(kSize, kSize, QImage::Format_RGB32);
    // warm beige base, shaded at three scales: patches, ripples of finer
    // sand, and clusters of grains
    const double base[3] = {206, 184, 146};
    for (int y = 0; y < kSize; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kSize; ++x) {
            const double broad = fractalNoise(seed ^ 0x51, x, y, 220, 3);
            const double mid = fractalNoise(seed ^ 0x52, x, y, 40, 2);
            const double fine = valueNoise(seed ^ 0x53, x / 3.0, y / 3.0);
            const double light = 1.0 + 0.05 * broad + 0.04 * mid + 0.05 * fine;
            // patches of slightly greyer or yellower sand
            const double hue = fractalNoise(seed ^ 0x54, x, y, 120, 2);
            row[x] = qRgb(channel(base[0] * light + 4 * hue), channel(base[1] * light),
                          channel(base[2] * light - 8 * hue));
        }
    }

    Rng rng(seed ^ 0xA5A5A5A5ull);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    // the grains themselves: each a small rounded body with a shadow below
    for (int i = 0; i < 52000; ++i) {
        const QPointF at(rng.range(-2, kSize + 2), rng.range(-2, kSize + 2));
        const double r = 0.55 + 1.1 * std::pow(rng.uniform(), 2.2);
        const double light = rng.range(0.82, 1.14);
        const double warm = rng.range(-10, 10);
        const QColor c(channel(base[0] * light + warm), channel(base[1] * light + warm * 0.3),
                       channel(base[2] * light - warm * 0.6));
        p.save();
        p.translate(at);
        p.rotate(rng.range(0, 180));
        const double ry = r * rng.range(0.65, 1.0);
        p.setBrush(QColor(120, 100, 72, 90));
        p.drawEllipse(QPointF(0.4, 0.5), r, ry);
        p.setBrush(c);
        p.drawEllipse(QPointF(0, 0), r, ry);
        p.restore();
    }
    // dark mineral grains and clear quartz
    for (int i = 0; i < 2600; ++i) {
        const QPointF at(rng.range(0, kSize), rng.range(0, kSize));
        const double r = rng.range(0.5, 1.1);
        const bool dark = rng.uniform() < 0.55;
        const double v = rng.range(0.0, 1.0);
        const QColor c = dark ? QColor(channel(70 + 40 * v), channel(62 + 34 * v), channel(52 + 28 * v))
                              : QColor(channel(236 + 12 * v), channel(228 + 12 * v), channel(212 + 12 * v));
        p.setBrush(c);
        p.drawEllipse(at, r, r * rng.range(0.7, 1.0));
    }
    // shell bits: small angular flakes, white, cream, grey or rosy
    const QColor shellColours[] = {QColor(244, 240, 230), QColor(232, 222, 200), QColor(196, 192, 186),
                                   QColor(236, 206, 190), QColor(170, 150, 130)};
    for (int i = 0; i < 70; ++i) {
        const QPointF at(rng.range(0, kSize), rng.range(0, kSize));
        const double size = rng.range(1.5, 4.5);
        QPolygonF flake;
        const int corners = 3 + int(rng.next() % 3);
        const double turn = rng.range(0, 2 * std::numbers::pi);
        for (int k = 0; k < corners; ++k) {
            const double a = turn + 2 * std::numbers::pi * (k + rng.range(-0.3, 0.3)) / corners;
            const double radius = size * rng.range(0.5, 1.0);
            flake << at + QPointF(radius * std::cos(a), radius * std::sin(a));
        }
        const QColor c = shellColours[rng.next() % std::size(shellColours)];
        p.setBrush(QColor(110, 94, 70, 90));
        p.drawPolygon(flake.translated(0.6, 0.7));
        p.setBrush(c);
        p.drawPolygon(flake);
    }
    p.end();

    // per-pixel grain noise on top keeps the painted grains from looking smooth
    Rng noise(seed ^ 0x3C3C3C3Cull);
    for (int y = 0; y < kSize; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < kSize; ++x) {
            const double n = (noise.uniform() + noise.uniform() - 1.0) * 10.0;
            row[x] = qRgb(channel(qRed(row[x]) + n), channel(qGreen(row[x]) + n), channel(qBlue(row[x]) + n * 0.8));
        }
    }
    return image;
}

} // namespace

std::vector<SieveBackground> generateSieveBackgrounds(quint32 seed)
{
    const quint64 s = mix(quint64(seed) + 0x5EB1E5ull);
    std::vector<SieveBackground> trays;
    trays.push_back({QStringLiteral("sand.jpg"), sandTray(s)});
    trays.push_back({QStringLiteral("bianco.jpg"), plainTray(s + 1, QColor(244, 243, 238), 3.0, 2.0)});
    trays.push_back({QStringLiteral("nero.jpg"), plainTray(s + 2, QColor(18, 18, 20), 3.0, 2.0)});
    trays.push_back({QStringLiteral("celeste.jpg"), plainTray(s + 3, QColor(150, 204, 236), 3.5, 2.0)});
    trays.push_back({QStringLiteral("blu.jpg"), plainTray(s + 4, QColor(26, 54, 134), 3.5, 2.0)});
    return trays;
}
