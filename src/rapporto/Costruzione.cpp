#include "Costruzione.h"

#include "ElencoTaxa.h"
#include "Indici.h"
#include "Verita.h"

#include <QFileInfo>

#include <algorithm>

namespace costruzione {

namespace {

rapporto::RigaStazione riga(const QString &etichetta, const indici::Conteggi &conteggi)
{
    const indici::Indici ix = indici::calcola(conteggi);
    rapporto::RigaStazione r;
    r.etichetta = etichetta;
    r.n = ix.N;
    r.s = ix.S;
    r.h = ix.shannonLn;
    r.j = ix.pielou;
    r.ambi = ix.ambi;
    r.classeAmbi = indici::nomeClasse(ix.classe);
    return r;
}

std::vector<rapporto::Stima> stime(const verita::Stime &s)
{
    std::vector<rapporto::Stima> out;
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        out.push_back(stima(elencotaxa::nome(sp), s.specie[sp - 1]));
    out.push_back(stima(QStringLiteral("N"), s.N));
    out.push_back(stima(QStringLiteral("S"), s.S));
    return out;
}

QString elencoNumeri(const std::vector<int> &numeri)
{
    QStringList t;
    for (int n : numeri)
        t << QString::number(n);
    return t.join(QStringLiteral(", "));
}

} // namespace

rapporto::Stima stima(const QString &nome, const statistica::Confronto &confronto)
{
    rapporto::Stima s;
    s.nome = nome;
    s.media = confronto.stima.media.value_or(0.0);
    s.basso = confronto.stima.icBasso;
    s.alto = confronto.stima.icAlto;
    s.vera = confronto.vera;
    s.copre = confronto.copre;
    return s;
}

rapporto::Rilievo rilievo(const ::Rilievo &rilievo, const Area &area, const QImage &mappa, const rapporto::Pie &pie)
{
    rapporto::Rilievo r;
    r.mappa = mappa;
    r.pie = pie;
    for (const Stazione &s : rilievo.stazioni) {
        rapporto::RigaStazione rs = riga(QString::number(s.numero), s.conteggi);
        rs.pixel = QPoint(s.colonna(), s.riga());
        rs.xm = s.xm;
        rs.ym = s.ym;
        rs.prof = s.prof;
        r.stazioni.push_back(rs);
    }
    const auto totali = rilievo.totali();
    r.complessivo = riga(QStringLiteral("tutto il rilievo"), totali);
    r.complessivo->xm = r.complessivo->ym = r.complessivo->prof = 0;

    const verita::Risultato v = verita::confronta(rilievo, area);
    auto tutte = stime(v.stime);
    r.specie.assign(tutte.begin(), tutte.begin() + Velmara::kNumSpecie);
    r.totali.assign(tutte.begin() + Velmara::kNumSpecie, tutte.end());

    const auto profilo = verita::profilo(area, 5);
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp) {
        rapporto::Zonazione z;
        z.nome = elencotaxa::nome(sp);
        // Bands run (5k, 5k + 5]: band k sits at index k whatever the profile skips.
        for (const verita::Banda &b : profilo) {
            const size_t k = size_t(std::max(0, b.da / 5));
            if (z.profiloVero.size() <= k)
                z.profiloVero.resize(k + 1);
            if (b.vera.pixel > 0)
                z.profiloVero[k] = b.vera.media[sp - 1];
        }
        for (const Stazione &s : rilievo.stazioni)
            if (s.prof > 0)
                z.stazioni.emplace_back(s.prof, s.conteggi[sp - 1]);
        r.zonazione.push_back(std::move(z));
    }
    r.abbondanze = abbondanze(rilievo);
    return r;
}

std::vector<rapporto::Abbondanza> abbondanze(const ::Rilievo &rilievo)
{
    std::vector<rapporto::Abbondanza> a;
    const auto totali = rilievo.totali();
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        a.push_back({elencotaxa::nome(sp), long(totali[sp - 1])});
    return a;
}

rapporto::Classe classe(const std::vector<Lettura> &letture, const Area &area, const rapporto::Pie &pie)
{
    rapporto::Classe c;
    c.pie = pie;
    c.fileDati = int(letture.size());
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        c.nomi.push_back(elencotaxa::nome(sp));
    c.nomi.push_back(QStringLiteral("N"));
    c.nomi.push_back(QStringLiteral("S"));
    const verita::Vera vera = verita::sullArea(area);
    c.verita.assign(vera.media.begin(), vera.media.end());
    c.verita.push_back(vera.mediaN);
    c.verita.push_back(vera.mediaS);

    for (const Lettura &l : letture) {
        const QString nome = QFileInfo(l.file).fileName();
        if (!l.lettura.ok()) {
            c.scartati.push_back(QStringLiteral("%1: %2").arg(nome, l.lettura.errore));
            continue;
        }
        const ::Rilievo &r = *l.lettura.rilievo;
        const verita::Risultato v = verita::confronta(r, area);
        if (v.usate == 0) {
            c.scartati.push_back(QStringLiteral("%1: nessuna stazione in mare, niente da stimare").arg(nome));
            continue;
        }
        const std::vector<int> discordi = verita::stazioniDiscordi(r, area);
        if (!discordi.empty())
            c.note.push_back(QStringLiteral("%1: la profondità delle stazioni %2 non è quella della batimetria "
                                            "dell'area: il rilievo viene da un'altra area, o è stato modificato.")
                                 .arg(nome, elencoNumeri(discordi)));
        rapporto::Uscita u;
        u.file = nome;
        u.stazioni = v.usate;
        u.stime = stime(v.stime);
        c.uscite.push_back(std::move(u));
    }
    if (!c.uscite.empty()) {
        const auto [lo, hi] = std::minmax_element(c.uscite.begin(), c.uscite.end(),
                                                  [](const auto &a, const auto &b) { return a.stazioni < b.stazioni; });
        if (lo->stazioni != hi->stazioni)
            c.note.insert(c.note.begin(),
                          QStringLiteral("I rilievi hanno un numero diverso di stazioni in mare, da %1 a %2: "
                                         "i più piccoli danno intervalli più larghi.")
                              .arg(lo->stazioni)
                              .arg(hi->stazioni));
    }
    return c;
}

} // namespace costruzione
