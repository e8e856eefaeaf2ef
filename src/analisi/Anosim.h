#pragma once

#include "Similarita.h"

#include <cstdint>
#include <vector>

// Analysis of similarities (Clarke 1993): do a priori groups of stations
// differ more between than within?
namespace anosim {

// The ranks of the values, 1 for the least, tied values sharing the mean
// of the ranks they span.
std::vector<double> ranghiMedi(const std::vector<double> &valori);

// R = (mean rank between - mean rank within) / (M / 2), M = n(n - 1) / 2,
// from the ranked dissimilarities of the pairs (i < j, row by row, as
// Matrice::coppie) and each object's group.
double statisticaR(const std::vector<double> &ranghi, const std::vector<int> &gruppi);

struct Risultato {
    double r = 0.0;
    double p = 1.0;         // (1 + permutations with R at or above it) / (1 + permutations)
    int permutazioni = 0;
};

// The labels are shuffled `permutazioni` times with the seed.
Risultato verifica(const similarita::Matrice &dissimilarita, const std::vector<int> &gruppi, int permutazioni,
                   std::uint64_t seme);

// R of two groups alone, their dissimilarities ranked among themselves.
double coppia(const similarita::Matrice &dissimilarita, const std::vector<int> &gruppi, int a, int b);

} // namespace anosim
