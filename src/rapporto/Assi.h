#pragma once

#include <QPainter>
#include <QRectF>
#include <QString>

#include <vector>

// Axes of the printed charts. Coordinates are points on the page.
namespace assi {

// A step of 1, 2 or 5 times a power of ten that cuts span into about
// `parti` parts.
double passoTondo(double span, int parti);

// Enough decimals to tell ticks `passo` apart, and no more.
QString etichetta(double valore, double passo);

// Maps values to page coordinates, linearly or in decades.
struct Scala {
    double min = 0;
    double max = 1;
    double da = 0; // page coordinate of min
    double a = 1;  // page coordinate of max
    double passo = 1;
    bool log = false;

    double su(double valore) const;
    // Tick values: multiples of passo, or whole decades on a log scale.
    std::vector<double> tacche() const;
};

// From lo (or 0 when it is not negative and `daZero`) to a round value at
// or above hi, with about `parti` ticks.
Scala lineare(double lo, double hi, double da, double a, int parti, bool daZero = true);
// Whole decades around lo .. hi (both above 0).
Scala logaritmica(double lo, double hi, double da, double a);

// A plot frame: the x scale runs left to right inside it, the y scale
// bottom to top.
struct Riquadro {
    QRectF area;
    Scala x;
    Scala y;
};

Riquadro riquadro(const QRectF &area);

// Light grid lines at the ticks, the frame, tick marks and their labels.
// An empty title leaves the axis unlabelled.
void disegnaAssi(QPainter &p, const Riquadro &r, const QString &titoloX, const QString &titoloY,
                 bool etichetteX = true, bool etichetteY = true);

} // namespace assi
