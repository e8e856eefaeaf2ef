#pragma once

#include <optional>
#include <vector>

// The small statistics of an estimate from a sample of stations.
namespace statistica {

// The p quantile of Student's t with df degrees of freedom (df >= 1,
// 0 < p < 1), to about 1e-10.
double quantileT(double p, int df);

// The mean of n values with its standard error and 95 % confidence
// interval from Student's t with n - 1 degrees of freedom. Without values
// everything is empty; with one value only the mean is known.
struct Stima {
    int n = 0;
    std::optional<double> media;
    std::optional<double> deviazione; // sample standard deviation (n - 1)
    std::optional<double> errore;     // standard error of the mean
    std::optional<double> icBasso;
    std::optional<double> icAlto;
};

Stima stimaMedia(const std::vector<double> &valori);

// How the estimate stands against the true value: the relative error
// (estimate - truth) / truth, empty for a truth of 0, and whether the
// interval holds the truth, empty without an interval. An interval of zero
// width (every value alike, as S on a uniform area) leaves it empty too:
// it meets the truth only by the rounding of a sum, and says nothing.
struct Confronto {
    Stima stima;
    double vera = 0.0;
    std::optional<double> erroreRelativo;
    std::optional<bool> copre;
};

Confronto confronta(const Stima &stima, double vera);

} // namespace statistica
