#include "Raggruppamento.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numeric>

namespace raggruppamento {

namespace {

// A merge as the chain finds it: the slots of the two clusters (each slot
// named after its cluster's lowest object) and their dissimilarity.
struct Unione {
    int i = 0; // i < j
    int j = 0;
    double d = 0.0;
};

// The chain, as in Müllner (2011), with the pairs in a strict order:
// dissimilarity, then the lower slot, then the higher. Group average keeps
// that order reducible, so the chain merges exactly the pairs that the
// greedy algorithm (always the least pair) merges, in another order.
template <typename T>
std::vector<Unione> catena(std::vector<T> &d, int n)
{
    const auto at = [&](int a, int b) -> T & { return d[std::size_t(a) * n + b]; };
    // The active slots in increasing order, kept contiguous for the scans.
    std::vector<int> attivi(n);
    std::iota(attivi.begin(), attivi.end(), 0);
    std::vector<int> dimensione(n, 1);
    std::vector<int> pila;
    pila.reserve(n);
    std::vector<Unione> unioni;
    unioni.reserve(n > 0 ? n - 1 : 0);

    while (attivi.size() > 1) {
        if (pila.empty())
            pila.push_back(attivi.front());
        for (;;) {
            const int x = pila.back();
            const int prima = pila.size() >= 2 ? pila[pila.size() - 2] : -1;
            // In increasing order, the first least value is the least pair.
            const T *riga = &d[std::size_t(x) * n];
            int vicino = -1;
            T minimo{};
            for (const int k : attivi)
                if (k != x && (vicino < 0 || riga[k] < minimo)) {
                    vicino = k;
                    minimo = riga[k];
                }
            if (vicino == prima)
                break;
            pila.push_back(vicino);
        }
        const int x = pila.back();
        pila.pop_back();
        const int y = pila.back();
        pila.pop_back();
        const int i = std::min(x, y);
        const int j = std::max(x, y);
        unioni.push_back({i, j, double(at(i, j))});

        const double ni = dimensione[i];
        const double nj = dimensione[j];
        T *rigaI = &d[std::size_t(i) * n];
        const T *rigaJ = &d[std::size_t(j) * n];
        for (const int k : attivi) {
            if (k == i || k == j)
                continue;
            const T di = rigaI[k];
            const T dj = rigaJ[k];
            // The mean of the two can round below the lesser; it never is.
            const T media = std::max(T((ni * di + nj * dj) / (ni + nj)), std::min(di, dj));
            rigaI[k] = media;
            at(k, i) = media;
        }
        dimensione[i] += dimensione[j];
        attivi.erase(std::lower_bound(attivi.begin(), attivi.end(), j));
    }
    return unioni;
}

int radice(std::vector<int> &padre, int k)
{
    while (padre[k] != k) {
        padre[k] = padre[padre[k]];
        k = padre[k];
    }
    return k;
}

// The merges in the greedy order, as steps of a tree whose clusters are
// numbered n + k.
Albero albero(std::vector<Unione> unioni, int n)
{
    std::stable_sort(unioni.begin(), unioni.end(), [](const Unione &p, const Unione &q) {
        if (p.d != q.d)
            return p.d < q.d;
        return p.i != q.i ? p.i < q.i : p.j < q.j;
    });
    Albero a;
    a.n = n;
    std::vector<int> padre(n), nodo(n), dimensione(n, 1);
    std::iota(padre.begin(), padre.end(), 0);
    std::iota(nodo.begin(), nodo.end(), 0);
    for (const Unione &u : unioni) {
        // Each root is its cluster's lowest object.
        const int ri = radice(padre, u.i);
        const int rj = radice(padre, u.j);
        const int basso = std::min(ri, rj);
        const int alto = std::max(ri, rj);
        Fusione f;
        f.a = nodo[basso];
        f.b = nodo[alto];
        f.livello = 100.0 - u.d;
        f.dimensione = dimensione[basso] + dimensione[alto];
        padre[alto] = basso;
        dimensione[basso] = f.dimensione;
        nodo[basso] = n + int(a.fusioni.size());
        a.fusioni.push_back(f);
    }
    return a;
}

// Group numbers in the order of each group's lowest object.
std::vector<int> numera(std::vector<int> &padre)
{
    const int n = int(padre.size());
    std::vector<int> gruppi(n, 0);
    std::map<int, int> numeri;
    for (int k = 0; k < n; ++k) {
        const auto [it, nuovo] = numeri.emplace(radice(padre, k), int(numeri.size()) + 1);
        gruppi[k] = it->second;
    }
    return gruppi;
}

std::vector<int> unisciPrime(const Albero &albero, int passi)
{
    std::vector<int> padre(albero.n);
    std::iota(padre.begin(), padre.end(), 0);
    // Any one object stands for its cluster: the lowest.
    std::vector<int> basso(albero.n + albero.fusioni.size());
    std::iota(basso.begin(), basso.begin() + albero.n, 0);
    for (std::size_t k = 0; k < albero.fusioni.size(); ++k)
        basso[albero.n + k] = basso[albero.fusioni[k].a];
    for (int k = 0; k < passi; ++k) {
        const Fusione &f = albero.fusioni[k];
        padre[radice(padre, basso[f.b])] = radice(padre, basso[f.a]);
    }
    return numera(padre);
}

} // namespace

Albero upgma(std::vector<double> d, int n)
{
    return albero(catena(d, n), n);
}

Albero upgma(std::vector<float> d, int n)
{
    return albero(catena(d, n), n);
}

std::vector<int> membri(const Albero &albero, int nodo)
{
    std::vector<int> r;
    std::vector<int> daFare{nodo};
    while (!daFare.empty()) {
        const int k = daFare.back();
        daFare.pop_back();
        if (k < albero.n) {
            r.push_back(k);
            continue;
        }
        daFare.push_back(albero.fusioni[k - albero.n].a);
        daFare.push_back(albero.fusioni[k - albero.n].b);
    }
    std::sort(r.begin(), r.end());
    return r;
}

similarita::Matrice cofenetica(const Albero &albero)
{
    similarita::Matrice c;
    c.n = albero.n;
    c.valori.assign(std::size_t(c.n) * c.n, 0.0);
    std::vector<std::vector<int>> gruppo(std::size_t(albero.n) + albero.fusioni.size());
    for (int k = 0; k < albero.n; ++k)
        gruppo[k] = {k};
    for (std::size_t s = 0; s < albero.fusioni.size(); ++s) {
        const Fusione &f = albero.fusioni[s];
        for (const int p : gruppo[f.a])
            for (const int q : gruppo[f.b])
                c(p, q) = c(q, p) = 100.0 - f.livello;
        std::vector<int> &unito = gruppo[albero.n + s];
        unito = std::move(gruppo[f.a]);
        unito.insert(unito.end(), gruppo[f.b].begin(), gruppo[f.b].end());
        gruppo[f.b].clear();
    }
    return c;
}

double correlazioneCofenetica(const Albero &albero, const similarita::Matrice &d)
{
    const std::vector<double> x = d.coppie();
    const std::vector<double> y = cofenetica(albero).coppie();
    const double m = double(x.size());
    const double mx = std::accumulate(x.begin(), x.end(), 0.0) / m;
    const double my = std::accumulate(y.begin(), y.end(), 0.0) / m;
    double sxy = 0.0, sxx = 0.0, syy = 0.0;
    for (std::size_t k = 0; k < x.size(); ++k) {
        sxy += (x[k] - mx) * (y[k] - my);
        sxx += (x[k] - mx) * (x[k] - mx);
        syy += (y[k] - my) * (y[k] - my);
    }
    return sxx > 0.0 && syy > 0.0 ? sxy / std::sqrt(sxx * syy) : 0.0;
}

std::vector<int> taglia(const Albero &albero, double taglio)
{
    // Levels are worked out in floating point: a printed 40.0 must join at 40.
    int passi = 0;
    while (passi < int(albero.fusioni.size()) && albero.fusioni[passi].livello >= taglio - 1e-9)
        ++passi;
    return unisciPrime(albero, passi);
}

std::vector<int> inGruppi(const Albero &albero, int k)
{
    return unisciPrime(albero, std::clamp(albero.n - k, 0, int(albero.fusioni.size())));
}

std::vector<int> taglia(const Albero &albero, const Taglio &taglio)
{
    return taglio.gruppi > 0 ? inGruppi(albero, taglio.gruppi) : taglia(albero, taglio.similarita);
}

int numeroGruppi(const std::vector<int> &gruppi)
{
    return gruppi.empty() ? 0 : *std::max_element(gruppi.begin(), gruppi.end());
}

std::vector<int> ordineFoglie(const Albero &albero)
{
    if (albero.n == 0)
        return {};
    std::vector<int> ordine;
    std::vector<int> daFare{albero.radice()};
    while (!daFare.empty()) {
        const int k = daFare.back();
        daFare.pop_back();
        if (k < albero.n) {
            ordine.push_back(k);
            continue;
        }
        // The left cluster is taken first, so it goes on the stack last.
        daFare.push_back(albero.fusioni[k - albero.n].b);
        daFare.push_back(albero.fusioni[k - albero.n].a);
    }
    return ordine;
}

double randCorretto(const std::vector<int> &a, const std::vector<int> &b)
{
    const auto coppie = [](double m) { return m * (m - 1.0) / 2.0; };
    if (a.size() < 2)
        return 1.0;
    std::map<std::pair<int, int>, int> celle;
    std::map<int, int> righe, colonne;
    for (std::size_t k = 0; k < a.size(); ++k) {
        ++celle[{a[k], b[k]}];
        ++righe[a[k]];
        ++colonne[b[k]];
    }
    double indice = 0.0, sommaA = 0.0, sommaB = 0.0;
    for (const auto &[chiave, m] : celle)
        indice += coppie(m);
    for (const auto &[g, m] : righe)
        sommaA += coppie(m);
    for (const auto &[g, m] : colonne)
        sommaB += coppie(m);
    const double atteso = sommaA * sommaB / coppie(double(a.size()));
    const double massimo = (sommaA + sommaB) / 2.0;
    // Only two partitions both into one group, or both into single
    // objects, leave nothing to adjust: they are the same partition.
    if (massimo == atteso)
        return 1.0;
    return (indice - atteso) / (massimo - atteso);
}

} // namespace raggruppamento
