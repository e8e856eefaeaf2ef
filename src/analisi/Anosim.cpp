#include "Anosim.h"

#include "Caso.h"

#include <algorithm>
#include <numeric>

namespace anosim {

std::vector<double> ranghiMedi(const std::vector<double> &valori)
{
    std::vector<std::size_t> ordine(valori.size());
    std::iota(ordine.begin(), ordine.end(), 0);
    std::stable_sort(ordine.begin(), ordine.end(), [&](std::size_t a, std::size_t b) { return valori[a] < valori[b]; });
    std::vector<double> ranghi(valori.size());
    for (std::size_t k = 0; k < ordine.size();) {
        std::size_t fine = k + 1;
        while (fine < ordine.size() && valori[ordine[fine]] == valori[ordine[k]])
            ++fine;
        // Ranks k + 1 .. fine: their mean, a whole or a half number.
        const double medio = (double(k + 1) + double(fine)) / 2.0;
        for (std::size_t t = k; t < fine; ++t)
            ranghi[ordine[t]] = medio;
        k = fine;
    }
    return ranghi;
}

double statisticaR(const std::vector<double> &ranghi, const std::vector<int> &gruppi)
{
    const int n = int(gruppi.size());
    double tra = 0.0, entro = 0.0;
    long nTra = 0, nEntro = 0;
    std::size_t k = 0;
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j, ++k) {
            if (gruppi[i] == gruppi[j]) {
                entro += ranghi[k];
                ++nEntro;
            } else {
                tra += ranghi[k];
                ++nTra;
            }
        }
    if (nTra == 0 || nEntro == 0)
        return 0.0;
    const double m = double(n) * (n - 1) / 2.0;
    return (tra / double(nTra) - entro / double(nEntro)) / (m / 2.0);
}

Risultato verifica(const similarita::Matrice &dissimilarita, const std::vector<int> &gruppi, int permutazioni,
                   std::uint64_t seme)
{
    const std::vector<double> ranghi = ranghiMedi(dissimilarita.coppie());
    Risultato r;
    r.r = statisticaR(ranghi, gruppi);
    r.permutazioni = permutazioni;
    Caso caso(seme);
    std::vector<int> mescolati = gruppi;
    int almeno = 0;
    for (int k = 0; k < permutazioni; ++k) {
        // Fisher–Yates, with the draws of Caso so that a seed means one thing.
        for (std::size_t i = mescolati.size(); i > 1; --i)
            std::swap(mescolati[i - 1], mescolati[caso.sotto(i)]);
        // Ranks are halves: the sums, and so equal R values, are exact.
        if (statisticaR(ranghi, mescolati) >= r.r)
            ++almeno;
    }
    r.p = double(almeno + 1) / double(permutazioni + 1);
    return r;
}

double coppia(const similarita::Matrice &dissimilarita, const std::vector<int> &gruppi, int a, int b)
{
    std::vector<int> dentro;
    for (int i = 0; i < dissimilarita.n; ++i)
        if (gruppi[i] == a || gruppi[i] == b)
            dentro.push_back(i);
    similarita::Matrice parte;
    parte.n = int(dentro.size());
    parte.valori.resize(std::size_t(parte.n) * parte.n);
    std::vector<int> etichette;
    for (int i = 0; i < parte.n; ++i) {
        etichette.push_back(gruppi[dentro[i]]);
        for (int j = 0; j < parte.n; ++j)
            parte(i, j) = dissimilarita(dentro[i], dentro[j]);
    }
    return statisticaR(ranghiMedi(parte.coppie()), etichette);
}

} // namespace anosim
