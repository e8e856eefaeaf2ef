#pragma once

#include "RapportoDati.h"

#include <QPainter>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

namespace rapporto {

// Across the surveys of a class, per quantity: the mean and the sample
// standard deviation of the estimates, and how many intervals cover the
// truth out of how many surveys gave one.
struct Riassunto {
    double media = 0;
    std::optional<double> deviazione;
    int coprono = 0;
    int conIntervallo = 0;
};
std::vector<Riassunto> riassumi(const Classe &classe);

} // namespace rapporto

// The class's table and pictures drawn into any box: the class report's
// pages and the studio's class tab draw them alike.
namespace grafici {

// The height of one row of the class table.
inline constexpr double kRigaClasse = 10;

// Rows da .. a of the table, fewest stations first, from the box's top;
// with `riassunto` the truth, the mean and spread of the estimates, the
// coverage and the legend below them.
void tabellaClasse(QPainter &p, const QRectF &box, const rapporto::Classe &classe, size_t da, size_t a, bool riassunto);
// The height the summary under the rows takes in a box of that width.
double altezzaRiassuntoClasse(const rapporto::Classe &classe, double larghezza);
// The box that holds the whole table with its summary.
QSizeF tabellaClasseMinima(const rapporto::Classe &classe);
// What the species columns are, and how to read the colours and marks.
QString legendaClasse(const rapporto::Classe &classe);

// Every survey's estimate of quantity q around the line of the truth,
// fewest stations at the top.
void pannelloClasse(QPainter &p, const QRectF &box, const rapporto::Classe &classe, size_t q);
// Quantities q0 .. q1 (excluded) as a page shows them: two to a row, or one
// to a row when there are two or fewer.
void pannelliClasse(QPainter &p, const QRectF &box, const rapporto::Classe &classe, size_t q0, size_t q1);
QSizeF pannelliClasseMinimi(size_t quante);

} // namespace grafici
