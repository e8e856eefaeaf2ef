#include "Assemblaggi.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace assemblaggi {

namespace {

constexpr int kSpecie = Velmara::kNumSpecie;

bool conOrganismi(const Area &area, std::size_t i)
{
    if (!area.rilevabile(int(i)))
        return false;
    for (int sp = 0; sp < kSpecie; ++sp)
        if (area.conteggi[sp][i] > 0)
            return true;
    return false;
}

std::vector<std::size_t> puntiGriglia(const Area &area, int passo)
{
    std::vector<std::size_t> punti;
    for (int y = passo / 2; y < Area::kSide; y += passo)
        for (int x = passo / 2; x < Area::kSide; x += passo) {
            const std::size_t i = std::size_t(Area::indice(x, y));
            if (conOrganismi(area, i))
                punti.push_back(i);
        }
    return punti;
}

// A pixel's transformed counts, with their sum; padded with zeros to a
// width the compiler turns into whole vector operations.
constexpr int kLarghezza = 16;
static_assert(kLarghezza >= kSpecie);
struct Campione {
    std::array<float, kLarghezza> y{};
    float totale = 0.0f;
};

Campione campione(const Area &area, std::size_t i, const std::array<float, 256> &tabella)
{
    Campione c;
    for (int sp = 0; sp < kSpecie; ++sp) {
        c.y[sp] = tabella[area.conteggi[sp][i]];
        c.totale += c.y[sp];
    }
    return c;
}

// Bray–Curtis dissimilarity on 0..1.
float distanza(const Campione &a, const Campione &b)
{
    std::array<float, kLarghezza> differenze;
    for (int sp = 0; sp < kLarghezza; ++sp)
        differenze[sp] = std::fabs(a.y[sp] - b.y[sp]);
    float somma = 0.0f;
    for (int sp = 0; sp < kLarghezza; ++sp)
        somma += differenze[sp];
    return somma / (a.totale + b.totale);
}

} // namespace

int passoGriglia(const Area &area)
{
    int passo = 1;
    while (puntiGriglia(area, passo).size() > std::size_t(kPuntiMassimi))
        ++passo;
    return passo;
}

Mappa calcola(const Area &area, similarita::Trasformazione t, const raggruppamento::Taglio &taglio)
{
    Mappa m;
    m.passo = passoGriglia(area);
    m.assemblaggio.assign(std::size_t(Area::kSide) * Area::kSide, kNessuno);
    const std::vector<std::size_t> punti = puntiGriglia(area, m.passo);
    const int n = int(punti.size());
    m.punti = n;
    if (n == 0)
        return m;

    std::array<float, 256> tabella{};
    for (int c = 0; c < 256; ++c)
        tabella[c] = float(similarita::trasforma(t, c));
    std::vector<Campione> griglia;
    griglia.reserve(punti.size());
    for (const std::size_t i : punti)
        griglia.push_back(campione(area, i, tabella));
    std::vector<float> d(std::size_t(n) * n, 0.0f);
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j)
            d[std::size_t(i) * n + j] = d[std::size_t(j) * n + i] = 100.0f * distanza(griglia[i], griglia[j]);
    const std::vector<int> gruppi = raggruppamento::taglia(raggruppamento::upgma(std::move(d), n), taglio);
    const int k = raggruppamento::numeroGruppi(gruppi);

    // Each group's mean community; the groups with more grid points first,
    // so that a pixel as close to two means goes to the larger.
    std::vector<int> punteggio(k, 0);
    std::vector<similarita::Profilo> somme(k, similarita::Profilo{});
    for (int i = 0; i < n; ++i) {
        const int g = gruppi[i] - 1;
        ++punteggio[g];
        for (int sp = 0; sp < kSpecie; ++sp)
            somme[g][sp] += griglia[i].y[sp];
    }
    std::vector<int> ordine(k);
    std::iota(ordine.begin(), ordine.end(), 0);
    std::stable_sort(ordine.begin(), ordine.end(), [&](int a, int b) { return punteggio[a] > punteggio[b]; });
    std::vector<Campione> centri;
    std::vector<similarita::Profilo> medie;
    for (const int g : ordine) {
        similarita::Profilo media{};
        Campione c;
        for (int sp = 0; sp < kSpecie; ++sp) {
            media[sp] = somme[g][sp] / punteggio[g];
            c.y[sp] = float(media[sp]);
            c.totale += c.y[sp];
        }
        medie.push_back(media);
        centri.push_back(c);
    }

    std::vector<long> pixel(k, 0);
    for (std::size_t i = 0; i < m.assemblaggio.size(); ++i) {
        if (!conOrganismi(area, i))
            continue;
        const Campione c = campione(area, i, tabella);
        int migliore = 0;
        float minima = distanza(c, centri[0]);
        for (int g = 1; g < k; ++g) {
            const float v = distanza(c, centri[g]);
            if (v < minima) {
                minima = v;
                migliore = g;
            }
        }
        m.assemblaggio[i] = std::int16_t(migliore);
        ++pixel[migliore];
    }

    // Numbered by area, the largest first.
    std::vector<int> perArea(k);
    std::iota(perArea.begin(), perArea.end(), 0);
    std::stable_sort(perArea.begin(), perArea.end(), [&](int a, int b) { return pixel[a] > pixel[b]; });
    std::vector<std::int16_t> nuovo(k);
    // A mean that every pixel finds another nearer holds no sea: dropped.
    m.numero = int(std::count_if(pixel.begin(), pixel.end(), [](long p) { return p > 0; }));
    for (int r = 0; r < m.numero; ++r) {
        nuovo[perArea[r]] = std::int16_t(r);
        m.pixel.push_back(pixel[perArea[r]]);
        m.medie.push_back(medie[perArea[r]]);
    }
    for (std::int16_t &a : m.assemblaggio)
        if (a != kNessuno)
            a = nuovo[a];
    return m;
}

} // namespace assemblaggi
