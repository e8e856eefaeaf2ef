#pragma once

#include "Area.h"
#include "Rilievo.h"
#include "Velmara.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// How many stations are enough: the species accumulation curve of a
// survey, the richness estimators, and the same curve for the area's truth.
namespace accumulo {

// Which species each station holds: species 1..12 at 0..11.
using Incidenza = std::array<bool, Velmara::kNumSpecie>;

struct Punto {
    int stazioni = 0;
    double specie = 0.0;     // expected over all orders of the stations
    double deviazione = 0.0; // its standard deviation given the survey
};

// The exact expectation over station orders (Kindt; Colwell et al. 2004),
// S(n) = sum_i [1 - C(N - f_i, n) / C(N, n)], f_i the stations holding
// species i, with the standard deviation conditioned on the survey as
// vegan's specaccum(method = "exact") gives it. One point per n = 1 .. N.
std::vector<Punto> curvaEsatta(const std::vector<Incidenza> &stazioni);

// Incidence-based estimators over m stations; Q1 and Q2 species are found
// at exactly one and exactly two of them.
struct Stimatori {
    int m = 0;
    int osservate = 0;
    int q1 = 0;
    int q2 = 0;
    // Chao2 = S + (m - 1)/m Q1² / (2 Q2); with Q2 = 0 the bias-corrected
    // S + (m - 1)/m Q1 (Q1 - 1) / 2. Its standard error as Chiu et al. (2014).
    double chao2 = 0.0;
    double chao2Errore = 0.0;
    // S + Q1 (m - 1)/m; its standard error from the jackknife's own variance
    // over the stations (Heltshe and Forrester 1983).
    double jack1 = 0.0;
    double jack1Errore = 0.0;
    // S + Q1 (2m - 3)/m - Q2 (m - 2)² / (m (m - 1)); no standard error.
    double jack2 = 0.0;
};
Stimatori stimatori(const std::vector<Incidenza> &stazioni);

// The truth: for each species the share of the surveyable sea where it
// has one or more individuals.
struct Verita {
    std::array<double, Velmara::kNumSpecie> frazione{};
    int specie = 0; // species present anywhere in the surveyable sea
};
Verita verita(const Area &area);
// The species expected at n stations placed at random over the sea,
// sum_s 1 - (1 - p_s)^n.
double attese(const Verita &v, int n);

// The whole of it for a survey: the stations in the surveyable sea, those
// without organisms included, for they were sampled too.
struct Sforzo {
    std::vector<int> escluse; // numbers of the stations at 0 m or less
    std::vector<Incidenza> stazioni;
    std::array<int, Velmara::kNumSpecie> frequenze{}; // stations holding each species
    std::vector<Punto> curva;
    Stimatori stime;
    Verita vera;
};
struct Esito {
    std::optional<Sforzo> sforzo;
    QString errore; // fewer than two stations at sea, or no species at all
};
Esito sforzo(const Rilievo &rilievo, const Area &area);

} // namespace accumulo
