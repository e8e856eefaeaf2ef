#pragma once

#include "Area.h"
#include "RapportoDati.h"
#include "Rilievo.h"
#include "Statistica.h"

#include <QImage>
#include <QString>

#include <vector>

// The reports' contents from a survey and its area, every figure from the
// same functions as the text commands.
namespace costruzione {

rapporto::Stima stima(const QString &nome, const statistica::Confronto &confronto);

// A survey with at least one station in the surveyable sea.
rapporto::Rilievo rilievo(const ::Rilievo &rilievo, const Area &area, const QImage &mappa, const rapporto::Pie &pie);

// The survey's total of each species, in the species' order; no area needed.
std::vector<rapporto::Abbondanza> abbondanze(const ::Rilievo &rilievo);

// One file of a class, read or not.
struct Lettura {
    QString file; // as the user named it
    rilievo::Lettura lettura;
};

// The surveys that can be read and have a station at sea go in; the others
// are named with the reason. Notes tell of surveys of different sizes and
// of stations whose depth disagrees with the area's bathymetry.
rapporto::Classe classe(const std::vector<Lettura> &letture, const Area &area, const rapporto::Pie &pie);

} // namespace costruzione
