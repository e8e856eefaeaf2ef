#pragma once

#include "Similarita.h"

#include <optional>
#include <vector>

// SIMPER (Clarke 1993): which species make the stations of a group alike,
// and which set two groups apart. Bray–Curtis splits exactly into one term
// per species, so each species' share of every pair can be averaged.
namespace simper {

struct Contributo {
    int specie = 0;     // 1..12
    double media = 0.0; // mean contribution over the pairs, on the 0..100 scale
    std::optional<double> rapporto; // mean / standard deviation (n - 1); empty with one pair or none of spread
    double percento = 0.0;          // of the average (dis)similarity
    double cumulato = 0.0;
};

struct Tabella {
    double media = 0.0; // the average similarity within, or dissimilarity between
    int coppie = 0;
    std::vector<Contributo> specie; // largest first, down to `soglia` per cent of the total
};

// The stations of one group, two or more: the average similarity and what
// each species gives to it, 100 * 2 min(y_ij, y_ik) / sum (y_ij + y_ik).
Tabella entro(const std::vector<similarita::Profilo> &gruppo, double soglia = 90.0);
// Two groups: the average dissimilarity and each species' share,
// 100 * |y_ij - y_ik| / sum (y_ij + y_ik).
Tabella tra(const std::vector<similarita::Profilo> &a, const std::vector<similarita::Profilo> &b, double soglia = 90.0);

} // namespace simper
