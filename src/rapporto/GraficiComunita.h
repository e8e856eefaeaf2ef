#pragma once

#include "RapportoComunita.h"

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <QSizeF>

#include <vector>

// The community charts. Each draws its data into any rectangle, on a page
// or in a window; the colours of the survey's groups are the same in all.
namespace graficicomunita {

// Survey group g (from 1) in every chart; 0, a station in no group, grey.
QColor coloreGruppo(int gruppo);
// A marker shape per depth stratum (circle, square, triangle, diamond, ...),
// a cross for none (-1); filled with the colour, radius r in points.
void marcatore(QPainter &p, QPointF centro, int strato, double r, const QColor &colore);

// Where labels go beside their points: the first of eight places around
// each point that stays inside the box and covers no marker, no label
// placed before and no obstacle. A label with no such place gets an empty
// rectangle and is left out, so that no two labels overlap.
std::vector<QRectF> posizioniEtichette(const std::vector<QPointF> &punti, double raggio, const std::vector<QSizeF> &testi,
                                       const QRectF &riquadro, const std::vector<QRectF> &ostacoli = {});

// The group-average tree with the station numbers under its leaves, each
// branch in its group's colour below the cut, the similarity axis and the
// cut line.
void dendrogramma(QPainter &p, const QRectF &area, const rapporto::Dendrogramma &d);

// The nMDS plot at equal scales on both axes: each station a marker of
// its stratum in its group's colour, with its number where there is room.
// Returns the labels left out for want of room.
std::vector<QString> ordinamento(QPainter &p, const QRectF &area, const rapporto::Ordinamento &o);
// The legend of groups and strata, in rows from the top left; returns the
// height used.
double legendaOrdinamento(QPainter &p, const QRectF &area, const rapporto::Ordinamento &o, int gruppi);
double altezzaLegendaOrdinamento(const rapporto::Ordinamento &o, int gruppi);

// The SIMPER comparisons that fit in the box, one to a row: the
// comparison, its average and its leading species with their shares; when
// some do not fit, a last row says how many are left to the command.
// Returns where the table ends.
double tabellaSimper(QPainter &p, const QRectF &box, const std::vector<rapporto::Simper> &righe);

// The area's chart with the true assemblages as translucent zones in the
// colour of the survey group each best matches (greys for those without
// stations), their letters, and the stations coloured by their groups,
// numbered where there is room. Returns the numbers left out.
std::vector<QString> mappaAssemblaggi(QPainter &p, const QRectF &area, const rapporto::ComunitaVere &v);
// The colour of assemblage a: its matching group's, or a grey of its own.
QColor coloreAssemblaggio(const rapporto::ComunitaVere &v, int assemblaggio);
// What mappaAssemblaggi draws of the assemblages, for ComunitaVere to keep:
// the area's chart with the zones over it in translucent colours, their
// edges nearly solid; and per assemblage the pixel deepest inside it,
// where its letter reads best.
QImage zoneAssemblaggi(const rapporto::ComunitaVere &v);
std::vector<QPoint> centriAssemblaggi(const rapporto::ComunitaVere &v);
// Under its heading, each assemblage's colour, letter, share of the sea and
// the group it looks like, in columns from the box's top left.
void legendaAssemblaggi(QPainter &p, const QRectF &box, const rapporto::ComunitaVere &v, int colonne);
double altezzaLegendaAssemblaggi(const rapporto::ComunitaVere &v, int colonne, double larghezza);
// The survey's groups, one to a row, against the true assemblages, one to a
// column: how many stations of each group lie in each.
void tabellaAssemblaggi(QPainter &p, const QRectF &box, const rapporto::ComunitaVere &v);
double altezzaTabellaAssemblaggi(const rapporto::ComunitaVere &v);
// The width the table needs for its columns to read well.
double larghezzaTabellaAssemblaggi(const rapporto::ComunitaVere &v);

// The survey's exact accumulation curve with its band of one standard
// deviation, the true expected curve and the true richness, and the
// estimators at the survey's number of stations with their errors.
void accumulo(QPainter &p, const QRectF &area, const rapporto::Sforzo &s);
// The marker of estimator k in that chart.
void marcatoreStima(QPainter &p, QPointF centro, int k, double r);
// Its legend: the lines on the left, the estimators with their figures on
// the right half of the box.
void legendaAccumulo(QPainter &p, const QRectF &box, const rapporto::Sforzo &s);
inline constexpr double kAltezzaLegendaAccumulo = 39;
inline constexpr double kLarghezzaLegendaAccumulo = 500;

} // namespace graficicomunita
