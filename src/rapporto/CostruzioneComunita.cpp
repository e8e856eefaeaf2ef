#include "CostruzioneComunita.h"

#include "ElencoTaxa.h"
#include "Numeri.h"

#include <algorithm>

namespace costruzionecomunita {

namespace {

constexpr std::size_t kSpecieSimper = 3; // the leading species a page names

QString strato(const comunita::Strato &s)
{
    return QStringLiteral("%1-%2 m").arg(s.da).arg(s.a);
}

rapporto::Simper simper(const QString &confronto, const QString &misura, bool entro, const simper::Tabella &t)
{
    rapporto::Simper s;
    s.confronto = confronto;
    s.misura = misura;
    s.entro = entro;
    for (std::size_t k = 0; k < t.specie.size() && k < kSpecieSimper; ++k)
        s.specie.push_back({elencotaxa::nome(t.specie[k].specie), t.specie[k].percento});
    return s;
}

// Where the cut line stands: at the similarity, or between the last step
// kept and the first undone.
double lineaDiTaglio(const comunita::Analisi &a)
{
    const auto &f = a.albero.fusioni;
    if (a.opzioni.taglio.gruppi <= 0 || f.empty())
        return a.opzioni.taglio.similarita;
    const int tenute = int(f.size()) + 1 - a.numeroGruppi;
    const double sopra = tenute > 0 ? f[tenute - 1].livello : 100.0;
    const double sotto = tenute < int(f.size()) ? f[tenute].livello : std::max(0.0, f.back().livello - 5.0);
    return (sopra + sotto) / 2.0;
}

QString frase(const comunita::Analisi &a)
{
    QStringList usati, fuori;
    for (const comunita::Strato &s : a.strati) {
        if (s.usato)
            usati << strato(s);
        else if (!s.membri.empty())
            fuori << strato(s);
    }
    QString t;
    if (a.anosim)
        t = QStringLiteral("ANOSIM degli strati di profondità %1: R globale %2, p = %3 (%4 permutazioni). R vicino a 1: "
                           "stazioni di strati diversi più diverse di quelle dello stesso strato; vicino a 0: nessuna "
                           "differenza.")
                .arg(usati.join(QStringLiteral(", ")), numeri::fisso(a.anosim->r, 3), numeri::fisso(a.anosim->p, 3))
                .arg(a.anosim->permutazioni);
    else
        t = QStringLiteral("ANOSIM: servono almeno due strati di profondità con due o più stazioni.");
    if (!fuori.isEmpty())
        t += QStringLiteral(" Strati con una sola stazione, lasciati fuori: %1.").arg(fuori.join(QStringLiteral(", ")));
    if (!a.fuoriStrati.empty()) {
        QStringList n;
        for (const int s : a.fuoriStrati)
            n << QString::number(s);
        t += QStringLiteral(" Stazioni fuori dagli strati: %1.").arg(n.join(QStringLiteral(", ")));
    }
    return t;
}

} // namespace

rapporto::Comunita comunita(const comunita::Analisi &a)
{
    rapporto::Comunita c;
    c.descrizione = comunita::descrizione(a.opzioni);
    c.stazioni = int(a.numeri.size());
    c.vuote = a.vuote;
    c.cofenetica = a.cofenetica;
    c.numeroGruppi = a.numeroGruppi;

    rapporto::Dendrogramma &d = c.dendrogramma;
    for (const int n : a.numeri)
        d.etichette.push_back(QString::number(n));
    d.gruppi = a.gruppi;
    for (const raggruppamento::Fusione &f : a.albero.fusioni)
        d.fusioni.push_back({f.a, f.b, f.livello});
    d.taglio = lineaDiTaglio(a);
    d.testoTaglio = a.opzioni.taglio.gruppi > 0
                        ? QStringLiteral("taglio in %1 gruppi").arg(a.numeroGruppi)
                        : QStringLiteral("taglio al %1 %").arg(numeri::fisso(a.opzioni.taglio.similarita, 1));

    rapporto::Ordinamento &o = c.ordinamento;
    for (const comunita::Strato &s : a.strati)
        o.strati.push_back(strato(s));
    for (std::size_t i = 0; i < a.numeri.size(); ++i)
        o.punti.push_back({QString::number(a.numeri[i]), a.nmds.punti[i][0], a.nmds.punti[i][1], a.gruppi[i], a.strato[i]});
    o.stress = a.nmds.stress;
    o.lettura = ordinamento::lettura(a.nmds.stress);
    o.partenze = a.nmds.partenze;
    o.alMinimo = a.nmds.alMinimo;

    for (const auto &e : a.simperEntro) {
        const int n = int(std::count(a.gruppi.begin(), a.gruppi.end(), e.gruppo));
        c.simper.push_back(simper(QStringLiteral("gruppo %1 (%2 staz.)").arg(e.gruppo).arg(n),
                                  QStringLiteral("similarità media %1 %").arg(numeri::fisso(e.tabella.media, 1)), true,
                                  e.tabella));
    }
    for (const auto &t : a.simperTra)
        c.simper.push_back(simper(QStringLiteral("gruppi %1 e %2").arg(t.a).arg(t.b),
                                  QStringLiteral("dissimilarità media %1 %").arg(numeri::fisso(t.tabella.media, 1)), false,
                                  t.tabella));
    c.anosim = frase(a);
    return c;
}

rapporto::ComunitaVere vere(const comunita::Analisi &a, const Rilievo &rilievo, const assemblaggi::Mappa &m, const QImage &carta)
{
    const comunita::Confronto k = comunita::confronta(a, rilievo, m);
    rapporto::ComunitaVere v;
    v.mappa = carta;
    v.assemblaggio = m.assemblaggio;
    v.pixel = m.pixel;
    v.gruppoSimile = k.gruppoSimile;
    v.tabella = k.tabella;
    v.fuori = k.fuori;
    v.rand = k.rand;
    v.passo = m.passo;
    v.punti = m.punti;
    v.descrizione = comunita::descrizione(a.opzioni);
    std::vector<int> gruppo(rilievo.stazioni.size(), 0);
    for (std::size_t i = 0; i < a.indici.size(); ++i)
        gruppo[a.indici[i]] = a.gruppi[i];
    for (std::size_t k = 0; k < rilievo.stazioni.size(); ++k) {
        const Stazione &s = rilievo.stazioni[k];
        v.stazioni.push_back({QPoint(s.colonna(), s.riga()), QString::number(s.numero), gruppo[k]});
    }
    return v;
}

rapporto::Sforzo sforzo(const accumulo::Sforzo &s)
{
    rapporto::Sforzo r;
    for (const accumulo::Punto &p : s.curva)
        r.curva.push_back({p.stazioni, p.specie, p.deviazione});
    const int m = s.stime.m;
    // The truth a little further than the survey went: what more stations would give.
    const int fino = std::max(2 * m, 10);
    for (int n = 1; n <= fino; ++n)
        r.curvaVera.push_back(accumulo::attese(s.vera, n));
    r.specieVere = s.vera.specie;
    r.osservate = s.stime.osservate;
    r.q1 = s.stime.q1;
    r.q2 = s.stime.q2;
    r.stime.push_back({s.stime.q2 > 0 ? QStringLiteral("Chao2") : QStringLiteral("Chao2 (corretto)"), s.stime.chao2,
                       s.stime.chao2Errore});
    r.stime.push_back({QStringLiteral("Jackknife 1"), s.stime.jack1, s.stime.jack1Errore});
    r.stime.push_back({QStringLiteral("Jackknife 2"), s.stime.jack2, std::nullopt});
    r.escluse = s.escluse;
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        r.specie.push_back({elencotaxa::nome(sp), s.frequenze[sp - 1], s.vera.frazione[sp - 1]});
    return r;
}

rapporto::PagineComunita pagine(const Rilievo &rilievo, const Area &area, const QImage &carta, const comunita::Opzioni &opzioni)
{
    rapporto::PagineComunita p;
    const comunita::Esito e = comunita::analizza(rilievo, opzioni);
    if (e.analisi) {
        p.comunita = comunita(*e.analisi);
        p.vere = vere(*e.analisi, rilievo, assemblaggi::calcola(area, opzioni.trasformazione, opzioni.taglio), carta);
    } else {
        p.motivo = e.errore;
    }
    const accumulo::Esito s = accumulo::sforzo(rilievo, area);
    if (s.sforzo)
        p.sforzo = sforzo(*s.sforzo);
    else
        p.motivoSforzo = s.errore;
    return p;
}

QString fraseRand(double rand)
{
    const QString quanto = rand >= 0.9    ? QStringLiteral("quasi esattamente")
                           : rand >= 0.65 ? QStringLiteral("bene")
                           : rand >= 0.3  ? QStringLiteral("in parte")
                           : rand >= 0.1  ? QStringLiteral("appena")
                                          : QStringLiteral("non più di quanto farebbe il caso");
    return QStringLiteral("Indice di Rand corretto %1: i gruppi del rilievo ricalcano %2 gli assemblaggi veri "
                          "(1 vorrebbe dire le stesse suddivisioni, 0 un accordo dovuto solo al caso).")
        .arg(numeri::fisso(rand, 3), quanto);
}

} // namespace costruzionecomunita
