#pragma once

#include "Area.h"
#include "Rilievo.h"
#include "Statistica.h"

#include <QString>

#include <array>
#include <climits>
#include <optional>
#include <vector>

// The survey against the true field of its area.
namespace verita {

// Means per pixel over the surveyable pixels whose depth d has da < d <= a.
struct Vera {
    long pixel = 0;
    std::array<double, Velmara::kNumSpecie> media{};
    double mediaN = 0.0; // organisms per pixel
    double mediaS = 0.0; // species per pixel
};
Vera sullArea(const Area &area, int da = 0, int a = INT_MAX);

// The true profile: one band per passo metres of depth, (0, passo],
// (passo, 2 passo], ... down to the deepest surveyable pixel.
struct Banda {
    int da = 0;
    int a = 0;
    Vera vera;
};
std::vector<Banda> profilo(const Area &area, int passo = 5);

// Per species, then N and S per station.
struct Stime {
    std::array<statistica::Confronto, Velmara::kNumSpecie> specie{};
    statistica::Confronto N;
    statistica::Confronto S;
};

// Simple estimate: the mean over the stations in the surveyable sea.
// Stations at 0 m or less stand outside it and are left out.
struct Risultato {
    Vera vera;
    std::vector<int> escluse; // station numbers at 0 m or less
    int usate = 0;
    Stime stime;
};
Risultato confronta(const Rilievo &rilievo, const Area &area);

// Stratum h holds the depths limiti[h] < d <= limiti[h + 1].
struct Strato {
    int da = 0;
    int a = 0;
    long pixel = 0;
    double peso = 0.0; // share of the strata's sea
    std::vector<int> stazioni; // station numbers
};

// Stratified estimate: stratum means weighted by the strata's true areas
// (the truth is then the mean over the strata, the whole surveyable sea
// when they span every depth),
// standard error sqrt(sum W^2 s^2 / n), Student's t with n - H degrees of
// freedom (H strata with area). A stratum with area and no station leaves
// the estimate undefined; one with a single station leaves its error so.
struct RisultatoStrati {
    std::vector<Strato> strati;
    std::vector<int> fuori; // station numbers in no stratum
    int gradi = 0;          // degrees of freedom
    double copertura = 0.0; // share of the surveyable sea inside the strata
    Stime stime;
};
RisultatoStrati confrontaPerStrati(const Rilievo &rilievo, const Area &area, const std::vector<int> &limiti);

// The strata with area but fewer than two stations.
std::vector<Strato> stratiScarsi(const RisultatoStrati &risultato);

// The depth strata of the commands when none are given.
inline const QString kStratiPredefiniti = QStringLiteral("0,10,30,60,200");

// "0,10,30,60,200": whole metres, strictly increasing, at least two.
struct Limiti {
    std::vector<int> valori;
    QString errore;
};
Limiti leggiLimiti(const QString &testo);

// Stations whose depth disagrees with the bathymetry under them, or that
// lie where the bathymetry gives no depth: the survey was made on another
// area, or edited by hand.
std::vector<int> stazioniDiscordi(const Rilievo &rilievo, const Area &area);

} // namespace verita
