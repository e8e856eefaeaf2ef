#include "Disegno.h"

#include "Caso.h"
#include "SurveyMap.h"
#include "TableText.h"

#include <QObject>
#include <QPoint>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <random>

namespace disegno {

namespace {

// What a user does: the cursor stands on the pixel, then a left click.
bool clic(SurveyMap &mappa, int colonna, int riga)
{
    const auto x = static_cast<float>(colonna);
    const auto y = static_cast<float>(riga);
    mappa.readCursor(x, y);
    return mappa.leftClick(x, y) == SurveyMap::LeftClick::Placed;
}

// Pixels drawn without replacement until quante stations stand; a pixel a
// click refuses (beside a marker) is dropped.
int posaCasuali(SurveyMap &mappa, std::vector<int> candidati, int quante, Caso &caso)
{
    int posate = 0;
    std::size_t rimasti = candidati.size();
    while (posate < quante && rimasti > 0) {
        const std::size_t k = caso.sotto(rimasti);
        const int i = candidati[k];
        candidati[k] = candidati[--rimasti];
        if (clic(mappa, i % Area::kSide, i / Area::kSide))
            ++posate;
    }
    return posate;
}

std::vector<int> pixelTra(const Area &area, int da, int a)
{
    std::vector<int> pixel;
    const int n = static_cast<int>(area.prof.size());
    for (int i = 0; i < n; ++i) {
        const int p = area.prof[i];
        if (p > 0 && p > da && p <= a)
            pixel.push_back(i);
    }
    return pixel;
}

// The nodes of a square grid of side passo, its origin at (ox, oy) times
// passo, that fall on the surveyable sea: row by row from the north, every
// other row run backwards, as a boat would go.
std::vector<QPoint> griglia(const Area &area, double passo, double ox, double oy)
{
    std::vector<QPoint> nodi;
    bool indietro = false;
    for (double y = oy * passo; y < Area::kSide - 0.5; y += passo) {
        const int riga = static_cast<int>(std::lround(y));
        std::vector<QPoint> fila;
        for (double x = ox * passo; x < Area::kSide - 0.5; x += passo) {
            const int colonna = static_cast<int>(std::lround(x));
            if (area.rilevabile(Area::indice(colonna, riga)))
                fila.emplace_back(colonna, riga);
        }
        if (indietro)
            std::reverse(fila.begin(), fila.end());
        indietro = !indietro;
        nodi.insert(nodi.end(), fila.begin(), fila.end());
    }
    return nodi;
}

QString pocoPosto(int posate, int n)
{
    return QObject::tr("l'area ha posto solo per %1 stazioni di questo disegno, non per %2").arg(posate).arg(n);
}

} // namespace

std::vector<int> ripartisci(int n, const std::vector<long> &dimensioni)
{
    std::vector<int> quote(dimensioni.size(), 0);
    long totale = 0;
    for (const long d : dimensioni)
        totale += d;
    if (totale <= 0 || n <= 0)
        return quote;
    std::vector<std::pair<double, std::size_t>> resti;
    int assegnate = 0;
    for (std::size_t h = 0; h < dimensioni.size(); ++h) {
        const double esatta = static_cast<double>(n) * dimensioni[h] / totale;
        quote[h] = static_cast<int>(std::floor(esatta));
        assegnate += quote[h];
        resti.emplace_back(esatta - quote[h], h);
    }
    std::stable_sort(resti.begin(), resti.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    for (std::size_t k = 0; assegnate < n && k < resti.size(); ++k, ++assegnate)
        ++quote[resti[k].second];
    return quote;
}

Esito posa(SurveyMap &mappa, const Area &area, Tipo tipo, int n, std::uint64_t seme, const std::vector<int> &limiti)
{
    Esito esito;
    if (n < 1 || mappa.NumStazioni + n > Velmara::kMaxStazioni) {
        esito.errore = QObject::tr("il numero di stazioni deve essere da 1 a %1").arg(Velmara::kMaxStazioni);
        return esito;
    }
    Caso caso(seme);
    switch (tipo) {
    case Tipo::Casuale:
        esito.posate = posaCasuali(mappa, pixelTra(area, 0, std::numeric_limits<int>::max()), n, caso);
        break;
    case Tipo::Stratificato: {
        std::vector<std::vector<int>> strati;
        std::vector<long> dimensioni;
        for (std::size_t h = 0; h + 1 < limiti.size(); ++h) {
            strati.push_back(pixelTra(area, limiti[h], limiti[h + 1]));
            dimensioni.push_back(static_cast<long>(strati.back().size()));
        }
        const std::vector<int> quote = ripartisci(n, dimensioni);
        for (std::size_t h = 0; h < strati.size(); ++h)
            esito.posate += posaCasuali(mappa, std::move(strati[h]), quote[h], caso);
        break;
    }
    case Tipo::Griglia: {
        const double ox = caso.uniforme();
        const double oy = caso.uniforme();
        // The widest grid with at least n nodes at sea; the few nodes over
        // n are dropped at random so that no corner is favoured.
        double stretto = 1.0;
        double largo = Area::kSide;
        if (static_cast<int>(griglia(area, stretto, ox, oy).size()) >= n) {
            for (int i = 0; i < 40; ++i) {
                const double medio = 0.5 * (stretto + largo);
                if (static_cast<int>(griglia(area, medio, ox, oy).size()) >= n)
                    stretto = medio;
                else
                    largo = medio;
            }
        }
        std::vector<QPoint> nodi = griglia(area, stretto, ox, oy);
        while (static_cast<int>(nodi.size()) > n)
            nodi.erase(nodi.begin() + static_cast<std::ptrdiff_t>(caso.sotto(nodi.size())));
        for (const QPoint &p : nodi)
            esito.posate += clic(mappa, p.x(), p.y()) ? 1 : 0;
        break;
    }
    }
    if (esito.posate < n)
        esito.errore = pocoPosto(esito.posate, n);
    return esito;
}

std::optional<Tipo> tipoDaNome(const QString &nome)
{
    for (const Tipo t : {Tipo::Casuale, Tipo::Griglia, Tipo::Stratificato})
        if (nomeTipo(t) == nome)
            return t;
    return std::nullopt;
}

QString nomeTipo(Tipo tipo)
{
    switch (tipo) {
    case Tipo::Casuale:
        return QStringLiteral("casuale");
    case Tipo::Griglia:
        return QStringLiteral("griglia");
    case Tipo::Stratificato:
        break;
    }
    return QStringLiteral("stratificato");
}

Tabella tabella(const QString &cartella, Tipo tipo, int n, std::uint64_t seme, const std::vector<int> &limiti)
{
    // The stations are placed as clicks on a map of their own, as a user
    // would place them, and the table is the one "Salva dati" writes.
    Velmara stato;
    auto mappa = std::make_unique<SurveyMap>(stato);
    const QString errore = mappa->loadImages(cartella);
    if (!errore.isEmpty())
        return {{}, errore};
    const Area area = area::daMappa(*mappa, cartella);
    const Esito esito = posa(*mappa, area, tipo, n, seme, limiti);
    if (!esito.errore.isEmpty())
        return {{}, esito.errore};
    return {tabletext::build(stato, mappa->NumStazioni), {}};
}

} // namespace disegno
