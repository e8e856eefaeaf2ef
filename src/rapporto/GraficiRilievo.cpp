#include "GraficiRilievo.h"

#include "Grafici.h"

#include <algorithm>

namespace grafici {

namespace {

// Above the rows: the legend; around the species' rows: their headings
// and axis; around each total's row: its own axis.
constexpr double kLegenda = 14;
constexpr double kIntornoSpecie = 40;
constexpr double kIntornoTotale = 32;
constexpr double kRigaMinima = 13;
// stime writes its figures a little right of the box it is given.
constexpr double kSporgenzaCifre = 4;
constexpr int kColonneZonazione = 3;

} // namespace

double altezzaStime(size_t specie, size_t totali, double altezzaRiga)
{
    return kLegenda + kIntornoSpecie + kIntornoTotale * double(totali) + altezzaRiga * double(specie + totali);
}

QSizeF stimeMinime(size_t specie, size_t totali)
{
    return QSizeF(500, altezzaStime(specie, totali, kRigaMinima));
}

void stimeRilievo(QPainter &p, const QRectF &box, const std::vector<rapporto::Stima> &specie,
                  const std::vector<rapporto::Stima> &totali)
{
    const size_t righe = std::max<size_t>(1, specie.size() + totali.size());
    const double altezzaRiga = (box.height() - altezzaStime(0, totali.size(), 0)) / double(righe);
    // The legend's marks and the names' first letters reach a point beyond
    // where they are drawn from.
    const double x = box.left() + 1;
    const double larghezza = box.width() - 1 - kSporgenzaCifre;
    double y = box.top();
    legendaStime(p, QPointF(x, y + 5));
    y += kLegenda;
    y += stime(p, QRectF(x, y, larghezza, 0), specie, QStringLiteral("individui per stazione"), altezzaRiga);
    for (const rapporto::Stima &t : totali)
        y += stime(p, QRectF(x, y, larghezza, 0), {t}, QString(), altezzaRiga) - 8;
}

QSizeF zonazioneMinima(size_t specie)
{
    const size_t righe = std::max<size_t>(1, (specie + kColonneZonazione - 1) / kColonneZonazione);
    return QSizeF(480, 30 + 90 * double(righe));
}

void grigliaZonazione(QPainter &p, const QRectF &box, const std::vector<rapporto::Zonazione> &specie)
{
    double profMax = 5;
    for (const rapporto::Zonazione &z : specie) {
        for (size_t k = 0; k < z.profiloVero.size(); ++k)
            if (z.profiloVero[k])
                profMax = std::max(profMax, 5.0 * k + 5);
        for (const QPointF &s : z.stazioni)
            profMax = std::max(profMax, s.x());
    }
    const int righe = std::max(1, int((specie.size() + kColonneZonazione - 1) / kColonneZonazione));
    // The first column's axis titles stand left of its charts: room for them.
    const QRectF griglia = box.adjusted(20, 0, 0, 0);
    const double w = griglia.width() / kColonneZonazione;
    const double h = griglia.height() / righe;
    for (size_t i = 0; i < specie.size(); ++i) {
        const int c = int(i) % kColonneZonazione;
        const int rr = int(i) / kColonneZonazione;
        const QRectF cella(griglia.left() + c * w, griglia.top() + rr * h, w - 8, h - 6);
        zonazione(p, cella, specie[i], profMax, rr == righe - 1, c == 0);
    }
}

QSizeF rangoMinimo()
{
    return QSizeF(420, 260);
}

} // namespace grafici
