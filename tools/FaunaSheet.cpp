#include "FaunaSheet.h"

#include "FaunaSprites.h"

#include <QPainter>

#include <algorithm>
#include <array>

namespace {

using namespace fauna;

constexpr int kCell = 50;
constexpr int kInnerOffset = 2;
constexpr int kInnerSize = 46;
constexpr int kSpecies = 12;
constexpr int kOrientations = 4;

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
