#pragma once

#include "RapportoDati.h"

#include <QPainter>
#include <QRectF>
#include <QSizeF>

#include <vector>

// The charts of one survey drawn into any box: the report's pages and the
// studio's tabs draw them alike.
namespace grafici {

// The legend, each species' estimate against the truth, then N and S, one
// row each; the rows share the box's height.
void stimeRilievo(QPainter &p, const QRectF &box, const std::vector<rapporto::Stima> &specie,
                  const std::vector<rapporto::Stima> &totali);
// The height stimeRilievo takes for rows of the given height.
double altezzaStime(size_t specie, size_t totali, double altezzaRiga);
QSizeF stimeMinime(size_t specie, size_t totali);

// One small chart per species, three to a row, on a shared depth axis.
void grigliaZonazione(QPainter &p, const QRectF &box, const std::vector<rapporto::Zonazione> &zonazione);
QSizeF zonazioneMinima(size_t specie);

// The box rangoAbbondanza needs for its axis and the slanted names.
QSizeF rangoMinimo();

} // namespace grafici
