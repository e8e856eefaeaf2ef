#include "Verita.h"

#include <QObject>

#include <algorithm>
#include <cmath>

namespace verita {

namespace {

using statistica::Confronto;
using statistica::Stima;

// The three figures of one station: a species' count, N or S.
using Valore = double (*)(const Stazione &, int specie);

double conteggio(const Stazione &s, int sp) { return s.conteggi[sp]; }
double totale(const Stazione &s, int) { return s.totale(); }
double ricchezza(const Stazione &s, int) { return s.specie(); }

std::vector<double> valori(const std::vector<const Stazione *> &stazioni, Valore valore, int sp)
{
    std::vector<double> v;
    v.reserve(stazioni.size());
    for (const Stazione *s : stazioni)
        v.push_back(valore(*s, sp));
    return v;
}

template <typename Stimatore>
Stime stimeDi(const Vera &vera, Stimatore stimatore)
{
    Stime r;
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp)
        r.specie[sp] = statistica::confronta(stimatore(conteggio, sp), vera.media[sp]);
    r.N = statistica::confronta(stimatore(totale, 0), vera.mediaN);
    r.S = statistica::confronta(stimatore(ricchezza, 0), vera.mediaS);
    return r;
}

} // namespace

Vera sullArea(const Area &area, int da, int a)
{
    Vera v;
    std::array<long long, Velmara::kNumSpecie> somme{};
    long long sommaS = 0;
    const int n = static_cast<int>(area.prof.size());
    for (int i = 0; i < n; ++i) {
        const int p = area.prof[i];
        if (p <= 0 || p <= da || p > a)
            continue;
        ++v.pixel;
        for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
            const int c = area.conteggi[sp][i];
            somme[sp] += c;
            sommaS += c > 0 ? 1 : 0;
        }
    }
    if (v.pixel == 0)
        return v;
    long long sommaN = 0;
    for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
        v.media[sp] = static_cast<double>(somme[sp]) / v.pixel;
        sommaN += somme[sp];
    }
    v.mediaN = static_cast<double>(sommaN) / v.pixel;
    v.mediaS = static_cast<double>(sommaS) / v.pixel;
    return v;
}

std::vector<Banda> profilo(const Area &area, int passo)
{
    int massima = 0;
    for (const std::int16_t p : area.prof)
        massima = std::max(massima, static_cast<int>(p));
    const int bande = (massima + passo - 1) / passo;
    // One pass over the area: sums per band, then the means.
    std::vector<std::array<long long, Velmara::kNumSpecie>> somme(bande);
    std::vector<long long> sommeS(bande, 0);
    std::vector<Banda> r(bande);
    for (int b = 0; b < bande; ++b) {
        r[b].da = b * passo;
        r[b].a = (b + 1) * passo;
        somme[b].fill(0);
    }
    const int n = static_cast<int>(area.prof.size());
    for (int i = 0; i < n; ++i) {
        const int p = area.prof[i];
        if (p <= 0)
            continue;
        const int b = (p - 1) / passo;
        ++r[b].vera.pixel;
        for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
            const int c = area.conteggi[sp][i];
            somme[b][sp] += c;
            sommeS[b] += c > 0 ? 1 : 0;
        }
    }
    for (int b = 0; b < bande; ++b) {
        Vera &v = r[b].vera;
        if (v.pixel == 0)
            continue;
        long long sommaN = 0;
        for (int sp = 0; sp < Velmara::kNumSpecie; ++sp) {
            v.media[sp] = static_cast<double>(somme[b][sp]) / v.pixel;
            sommaN += somme[b][sp];
        }
        v.mediaN = static_cast<double>(sommaN) / v.pixel;
        v.mediaS = static_cast<double>(sommeS[b]) / v.pixel;
    }
    return r;
}

Risultato confronta(const Rilievo &rilievo, const Area &area)
{
    Risultato r;
    r.vera = sullArea(area);
    std::vector<const Stazione *> usate;
    for (const Stazione &s : rilievo.stazioni) {
        if (s.prof > 0)
            usate.push_back(&s);
        else
            r.escluse.push_back(s.numero);
    }
    r.usate = static_cast<int>(usate.size());
    r.stime = stimeDi(r.vera, [&](Valore valore, int sp) { return statistica::stimaMedia(valori(usate, valore, sp)); });
    return r;
}

RisultatoStrati confrontaPerStrati(const Rilievo &rilievo, const Area &area, const std::vector<int> &limiti)
{
    RisultatoStrati r;
    const long mare = sullArea(area).pixel;
    const int H = static_cast<int>(limiti.size()) - 1;
    std::vector<Vera> vere;
    std::vector<std::vector<const Stazione *>> membri(H);
    for (int h = 0; h < H; ++h) {
        Strato s;
        s.da = limiti[h];
        s.a = limiti[h + 1];
        vere.push_back(sullArea(area, s.da, s.a));
        s.pixel = vere.back().pixel;
        r.strati.push_back(s);
    }
    // The strata are the population: weights and truth over their union,
    // which is the whole sea when they span every depth.
    long unione = 0;
    for (const Strato &s : r.strati)
        unione += s.pixel;
    r.copertura = mare > 0 ? static_cast<double>(unione) / mare : 0.0;
    Vera vera;
    vera.pixel = unione;
    for (int h = 0; h < H && unione > 0; ++h) {
        Strato &s = r.strati[h];
        s.peso = static_cast<double>(s.pixel) / unione;
        for (int sp = 0; sp < Velmara::kNumSpecie; ++sp)
            vera.media[sp] += s.peso * vere[h].media[sp];
        vera.mediaN += s.peso * vere[h].mediaN;
        vera.mediaS += s.peso * vere[h].mediaS;
    }
    for (const Stazione &st : rilievo.stazioni) {
        int trovato = -1;
        for (int h = 0; h < H && trovato < 0; ++h) {
            if (st.prof > 0 && st.prof > limiti[h] && st.prof <= limiti[h + 1])
                trovato = h;
        }
        if (trovato < 0) {
            r.fuori.push_back(st.numero);
            continue;
        }
        r.strati[trovato].stazioni.push_back(st.numero);
        membri[trovato].push_back(&st);
    }

    int n = 0;
    int conArea = 0;
    for (int h = 0; h < H; ++h) {
        if (r.strati[h].pixel > 0) {
            ++conArea;
            n += static_cast<int>(membri[h].size());
        }
    }
    r.gradi = std::max(0, n - conArea);

    r.stime = stimeDi(vera, [&](Valore valore, int sp) {
        Stima stima;
        stima.n = n;
        double media = 0.0;
        double varianza = 0.0;
        bool mediaNota = true;
        bool erroreNoto = true;
        for (int h = 0; h < H; ++h) {
            const double peso = r.strati[h].peso;
            if (peso == 0.0)
                continue;
            const Stima s = statistica::stimaMedia(valori(membri[h], valore, sp));
            if (!s.media) {
                mediaNota = false;
                break;
            }
            media += peso * *s.media;
            if (s.deviazione)
                varianza += peso * peso * *s.deviazione * *s.deviazione / s.n;
            else
                erroreNoto = false;
        }
        if (!mediaNota || conArea == 0)
            return stima;
        stima.media = media;
        if (!erroreNoto || r.gradi < 1)
            return stima;
        const double errore = std::sqrt(varianza);
        const double t = statistica::quantileT(0.975, r.gradi);
        stima.errore = errore;
        stima.icBasso = media - t * errore;
        stima.icAlto = media + t * errore;
        return stima;
    });
    return r;
}

std::vector<Strato> stratiScarsi(const RisultatoStrati &risultato)
{
    std::vector<Strato> scarsi;
    for (const Strato &s : risultato.strati) {
        if (s.pixel > 0 && s.stazioni.size() < 2)
            scarsi.push_back(s);
    }
    return scarsi;
}

Limiti leggiLimiti(const QString &testo)
{
    Limiti r;
    const QStringList parti = testo.split(QLatin1Char(','));
    for (const QString &parte : parti) {
        bool ok = false;
        const int v = parte.trimmed().toInt(&ok);
        if (!ok || v < 0 || v > 1000) {
            r.errore = QObject::tr("«%1» non è una profondità in metri (un numero intero da 0 a 1000)").arg(parte.trimmed());
            return r;
        }
        if (!r.valori.empty() && v <= r.valori.back()) {
            r.errore = QObject::tr("i limiti degli strati devono crescere: %1 dopo %2").arg(v).arg(r.valori.back());
            return r;
        }
        r.valori.push_back(v);
    }
    if (r.valori.size() < 2)
        r.errore = QObject::tr("servono almeno due limiti, per esempio 0,10,30,60,200");
    return r;
}

std::vector<int> stazioniDiscordi(const Rilievo &rilievo, const Area &area)
{
    std::vector<int> discordi;
    for (const Stazione &s : rilievo.stazioni) {
        const int p = area.prof[Area::indice(s.colonna(), s.riga())];
        if (p == Area::kSenzaProf || p != s.prof)
            discordi.push_back(s.numero);
    }
    return discordi;
}

} // namespace verita
