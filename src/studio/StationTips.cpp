#include "StationTips.h"

#include "ElencoTaxa.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace stationtips {

namespace {

constexpr int kSide = 512;
// A marker spans 2.5 map pixels either side of its pixel's centre; the
// pointer may stray half a pixel past it, or four screen pixels where the
// map is small.
constexpr double kReach = 3.0;

QString tr(const char *text) { return QCoreApplication::translate("StationTips", text); }

} // namespace

std::optional<size_t> at(const Rilievo &rilievo, const QRectF &mapRect, QPointF point)
{
    if (mapRect.isEmpty())
        return std::nullopt;
    const double k = mapRect.width() / kSide;
    const double reach = std::max(kReach, 4.0 / k);
    // The pointer in map pixels; a station's marker is centred on its pixel.
    const QPointF p = (point - mapRect.topLeft()) / k - QPointF(0.5, 0.5);
    std::optional<size_t> best;
    double bestDistance = 0;
    for (size_t i = 0; i < rilievo.stazioni.size(); ++i) {
        const Stazione &s = rilievo.stazioni[i];
        const double dx = std::abs(p.x() - s.colonna());
        const double dy = std::abs(p.y() - s.riga());
        if (dx > reach || dy > reach)
            continue;
        const double d = dx * dx + dy * dy;
        if (!best || d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

QString text(const Stazione &s)
{
    QStringList lines;
    lines << tr("Stazione %1").arg(s.numero) << tr("Profondità: %1 m").arg(s.prof)
          << tr("N = %1, S = %2").arg(s.totale()).arg(s.specie());
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        if (s.conteggi[size_t(sp - 1)] > 0)
            lines << tr("%1. %2: %3").arg(sp).arg(elencotaxa::nome(sp)).arg(s.conteggi[size_t(sp - 1)]);
    return lines.join(QLatin1Char('\n'));
}

} // namespace stationtips
