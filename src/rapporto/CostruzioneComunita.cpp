#include "CostruzioneComunita.h"

#include "ElencoTaxa.h"
#include "GraficiComunita.h"
#include "Numeri.h"

#include <algorithm>

namespace costruzionecomunita {

namespace {

constexpr std::size_t kSpecieSimper = 3; // the leading species a page names

QString elenco(const std::vector<int> &numeri)
{
    QStringList t;
    for (const int n : numeri)
        t << QString::number(n);
    return t.join(QStringLiteral(", "));
}

QString elenco(const std::vector<QString> &testi)
{
    QStringList t(testi.begin(), testi.end());
    return t.join(QStringLiteral(", "));
}

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
    v.zone = graficicomunita::zoneAssemblaggi(v);
    v.centri = graficicomunita::centriAssemblaggi(v);
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

QString sottotitoloComunita(const rapporto::Comunita &c)
{
    QString t = QStringLiteral("%1 stazioni con organismi, confrontate con la similarità di Bray-Curtis; %2.")
                    .arg(c.stazioni)
                    .arg(c.descrizione);
    if (!c.vuote.empty())
        t += QStringLiteral(" Senza organismi, lasciate fuori: %1.").arg(elenco(c.vuote));
    return t;
}

QString sottotitoloVere(const rapporto::ComunitaVere &v)
{
    return QStringLiteral("Il mare dell'area diviso in assemblaggi come le stazioni del rilievo (%1): una griglia di %2 pixel "
                          "di mare, uno ogni %3, raggruppati per legame medio, poi ogni pixel all'assemblaggio dalla comunità "
                          "media più simile. Ogni zona ha il colore del gruppo del rilievo che vi cade di più; in grigio le "
                          "zone senza stazioni. Nord in alto.")
        .arg(v.descrizione)
        .arg(v.punti)
        .arg(v.passo);
}

QString sottotitoloSforzo()
{
    return QStringLiteral("Quante stazioni bastano? In blu la curva di accumulo del rilievo: le specie attese con n delle sue "
                          "stazioni, in media su tutti gli ordini possibili, con la banda di una deviazione standard. In "
                          "arancione le specie attese con n stazioni messe a caso nel mare vero, e tratteggiato il numero di "
                          "specie presenti nel mare. Accanto all'ultima stazione le stime della ricchezza totale.");
}

QString senzaComunita(const QString &motivo)
{
    return QStringLiteral("Le comunità non si possono confrontare: %1.").arg(motivo);
}

QString senzaSforzo(const QString &motivo)
{
    return QStringLiteral("Non c'è una curva di accumulo: %1.").arg(motivo);
}

QString fraseCofenetica(const rapporto::Comunita &c)
{
    return QStringLiteral("%1 gruppi; correlazione cofenetica %2: quanto l'albero rende le similarità tra le stazioni "
                          "(1 alla perfezione).")
        .arg(c.numeroGruppi)
        .arg(numeri::fisso(c.cofenetica, 3));
}

QString fraseStress(const rapporto::Ordinamento &o, const std::vector<QString> &omesse)
{
    QString t = QStringLiteral("Stress %1: %2 secondo Clarke (sotto 0.05 eccellente, sotto 0.1 buona, sotto 0.2 "
                               "utilizzabile con cautela, oltre inaffidabile). Il migliore di %3 partenze (PCoA e "
                               "%4 casuali); %5 lo raggiungono entro 0.001. Gli assi non hanno unità: contano le "
                               "distanze tra i punti.")
                    .arg(numeri::fisso(o.stress, 2), o.lettura)
                    .arg(o.partenze)
                    .arg(o.partenze - 1)
                    .arg(o.alMinimo);
    if (!omesse.empty())
        t += QStringLiteral(" Senza numero, per i punti troppo vicini: %1.").arg(elenco(omesse));
    return t;
}

QString fraseVere(const rapporto::ComunitaVere &v, const std::vector<QString> &omesse)
{
    QString t = fraseRand(v.rand);
    if (!v.fuori.empty())
        t += QStringLiteral(" Stazioni su pixel senza organismi, fuori dal confronto: %1.").arg(elenco(v.fuori));
    if (!omesse.empty())
        t += QStringLiteral(" Senza numero sulla mappa, per le stazioni troppo vicine: %1.").arg(elenco(omesse));
    return t;
}

QString fraseSforzo(const rapporto::Sforzo &s)
{
    const int m = int(s.curva.size());
    const double attese = m >= 1 && std::size_t(m) <= s.curvaVera.size() ? s.curvaVera[m - 1] : 0.0;
    QString t = QStringLiteral("Con %1 stazioni il rilievo ha trovato %2 specie delle %3 presenti nel mare; %1 stazioni "
                               "messe a caso ne troverebbero in media %4. Q1 = %5 specie trovate in una sola stazione, "
                               "Q2 = %6 in due: più sono, più specie restano da scoprire, ed è da loro che Chao2 e il "
                               "jackknife stimano quante.")
                    .arg(m)
                    .arg(s.osservate)
                    .arg(s.specieVere)
                    .arg(numeri::fisso(attese, 2))
                    .arg(s.q1)
                    .arg(s.q2);
    QStringList mancate;
    for (const auto &q : s.specie)
        if (q.stazioni == 0 && q.frazione > 0.0)
            mancate << QStringLiteral("%1 (nel %2 % del mare)").arg(q.nome, numeri::fisso(100.0 * q.frazione, 1));
    if (!mancate.isEmpty())
        t += QStringLiteral(" Specie del mare che il rilievo non ha trovato: %1.").arg(mancate.join(QStringLiteral(", ")));
    else
        t += QStringLiteral(" Il rilievo ha trovato tutte le specie del mare.");
    if (!s.escluse.empty())
        t += QStringLiteral(" Stazioni a 0 m o meno, lasciate fuori: %1.").arg(elenco(s.escluse));
    return t;
}

} // namespace costruzionecomunita
