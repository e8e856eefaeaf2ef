#include "ComandiComunita.h"

#include "Accumulo.h"
#include "Area.h"
#include "Comunita.h"
#include "ElencoTaxa.h"
#include "Numeri.h"
#include "SurveyMap.h"
#include "Verita.h"

#include <QDir>
#include <QFileInfo>

#include <future>

namespace {

using numeri::fisso;

QString nomeSpecie(int specie)
{
    return QStringLiteral("%1 %2").arg(specie).arg(elencotaxa::nome(specie));
}

QString strato(const comunita::Strato &s)
{
    return QStringLiteral("%1-%2 m").arg(s.da).arg(s.a);
}

// The stations of a cluster as their numbers, lowest first.
QString stazioniDi(const comunita::Analisi &a, int nodo)
{
    QStringList t;
    for (const int k : raggruppamento::membri(a.albero, nodo))
        t << QString::number(a.numeri[k]);
    return t.join(QLatin1Char(' '));
}

void matrice(QTextStream &out, const comunita::Analisi &a)
{
    out << QObject::tr("Similarità di Bray-Curtis (%), %1").arg(similarita::nome(a.opzioni.trasformazione)) << "\n";
    out << "staz.";
    for (std::size_t j = 0; j + 1 < a.numeri.size(); ++j)
        out << '\t' << a.numeri[j];
    out << "\n";
    for (std::size_t i = 1; i < a.numeri.size(); ++i) {
        out << a.numeri[i];
        for (std::size_t j = 0; j < i; ++j)
            out << '\t' << fisso(100.0 - a.dissimilarita(int(i), int(j)), 1);
        out << "\n";
    }
}

void cluster(QTextStream &out, const comunita::Analisi &a)
{
    out << "\n" << QObject::tr("Raggruppamento UPGMA (media di gruppo), le fusioni dalla più simile") << "\n";
    out << QObject::tr("fusione\tsimilarità (%)\tstazioni\tcon le stazioni") << "\n";
    for (std::size_t k = 0; k < a.albero.fusioni.size(); ++k) {
        const raggruppamento::Fusione &f = a.albero.fusioni[k];
        out << k + 1 << '\t' << fisso(f.livello, 2) << '\t' << stazioniDi(a, f.a) << '\t' << stazioniDi(a, f.b) << "\n";
    }
    out << QObject::tr("Correlazione cofenetica: %1").arg(fisso(a.cofenetica, 3)) << "\n";

    out << "\n";
    if (a.opzioni.taglio.gruppi > 0)
        out << QObject::tr("Gruppi: %1, tagliando l'albero in %1").arg(a.numeroGruppi) << "\n";
    else
        out << QObject::tr("Gruppi al %1 % di similarità: %2").arg(fisso(a.opzioni.taglio.similarita, 1)).arg(a.numeroGruppi)
            << "\n";
    out << QObject::tr("gruppo\tstazioni") << "\n";
    for (int g = 1; g <= a.numeroGruppi; ++g) {
        QStringList t;
        for (std::size_t i = 0; i < a.gruppi.size(); ++i)
            if (a.gruppi[i] == g)
                t << QString::number(a.numeri[i]);
        out << g << '\t' << t.join(QLatin1Char(' ')) << "\n";
    }
}

void nmdsBlocco(QTextStream &out, const comunita::Analisi &a)
{
    const ordinamento::Risultato &r = a.nmds;
    out << "\n"
        << QObject::tr("nMDS in 2 dimensioni: stress %1, %2; %3 partenze (PCoA e %4 casuali, seme %5), "
                       "%6 al minimo entro 0.001")
               .arg(fisso(r.stress, 2), ordinamento::lettura(r.stress))
               .arg(r.partenze)
               .arg(r.partenze - 1)
               .arg(a.opzioni.seme)
               .arg(r.alMinimo)
        << "\n";
    out << QObject::tr("staz.\tasse 1\tasse 2\tgruppo\tstrato") << "\n";
    for (std::size_t i = 0; i < a.numeri.size(); ++i)
        out << a.numeri[i] << '\t' << fisso(r.punti[i][0], 3) << '\t' << fisso(r.punti[i][1], 3) << '\t' << a.gruppi[i]
            << '\t' << (a.strato[i] >= 0 ? strato(a.strati[a.strato[i]]) : QStringLiteral("-")) << "\n";
}

void tabellaSimper(QTextStream &out, const simper::Tabella &t)
{
    out << QObject::tr("specie\tcontributo medio\tcontributo/DS\t%\t% cumulata") << "\n";
    for (const simper::Contributo &c : t.specie)
        out << nomeSpecie(c.specie) << '\t' << fisso(c.media, 2) << '\t' << fisso(c.rapporto, 2) << '\t'
            << fisso(c.percento, 2) << '\t' << fisso(c.cumulato, 2) << "\n";
}

void simperBlocchi(QTextStream &out, const comunita::Analisi &a)
{
    for (const auto &e : a.simperEntro) {
        int n = 0;
        for (const int g : a.gruppi)
            n += g == e.gruppo;
        out << "\n"
            << QObject::tr("SIMPER, gruppo %1 (%2 stazioni): similarità media %3 %")
                   .arg(e.gruppo)
                   .arg(n)
                   .arg(fisso(e.tabella.media, 2))
            << "\n";
        tabellaSimper(out, e.tabella);
    }
    for (const auto &t : a.simperTra) {
        out << "\n"
            << QObject::tr("SIMPER, gruppi %1 e %2: dissimilarità media %3 %").arg(t.a).arg(t.b).arg(fisso(t.tabella.media, 2))
            << "\n";
        tabellaSimper(out, t.tabella);
    }
}

void anosimBlocco(QTextStream &out, const comunita::Analisi &a)
{
    QStringList limiti;
    for (const int l : a.opzioni.strati)
        limiti << QString::number(l);
    out << "\n";
    const QString titolo = QObject::tr("ANOSIM degli strati di profondità %1 m").arg(limiti.join(QLatin1Char(',')));
    if (a.anosim)
        out << QObject::tr("%1: R globale %2, p = %3 (%4 permutazioni, seme %5)")
                   .arg(titolo, fisso(a.anosim->r, 3), fisso(a.anosim->p, 3))
                   .arg(a.anosim->permutazioni)
                   .arg(a.opzioni.seme)
            << "\n";
    else
        out << QObject::tr("%1: servono almeno due strati con due o più stazioni").arg(titolo) << "\n";
    QStringList scarsi;
    for (const comunita::Strato &s : a.strati)
        if (!s.usato && !s.membri.empty())
            scarsi << QStringLiteral("%1 (%2)").arg(strato(s), stationCountText(int(s.membri.size())));
    if (!scarsi.isEmpty())
        out << QObject::tr("Strati con una sola stazione, lasciati fuori: %1.").arg(scarsi.join(QStringLiteral(", "))) << "\n";
    if (!a.fuoriStrati.empty())
        out << QObject::tr("Stazioni fuori dagli strati: %1.").arg(elencoNumeri(a.fuoriStrati)) << "\n";
    if (!a.coppie.empty()) {
        out << QObject::tr("strati\tR") << "\n";
        for (const comunita::CoppiaStrati &c : a.coppie)
            out << strato(a.strati[c.a]) << " / " << strato(a.strati[c.b]) << '\t' << fisso(c.r, 3) << "\n";
    }
}

void veri(QTextStream &out, const comunita::Analisi &a, const comunita::Confronto &c, const assemblaggi::Mappa &m)
{
    out << "\n"
        << QObject::tr("Assemblaggi veri dell'area: %1, dalla griglia di %2 pixel di mare con organismi (uno ogni %3 pixel), "
                       "con la stessa trasformazione e lo stesso taglio")
               .arg(m.numero)
               .arg(m.punti)
               .arg(m.passo)
        << "\n";
    out << QObject::tr("gruppo");
    for (int k = 0; k < m.numero; ++k)
        out << '\t' << comunita::lettera(k);
    out << "\n";
    for (int g = 1; g <= a.numeroGruppi; ++g) {
        out << g;
        for (int k = 0; k < m.numero; ++k)
            out << '\t' << c.tabella[g - 1][k];
        out << "\n";
    }
    if (!c.fuori.empty())
        out << QObject::tr("Stazioni in nessun assemblaggio vero (pixel senza organismi): %1.").arg(elencoNumeri(c.fuori)) << "\n";
    out << QObject::tr("Indice di Rand corretto tra gruppi del rilievo e assemblaggi veri: %1").arg(fisso(c.rand, 3)) << "\n";
}

} // namespace

int comandoComunita(const Riga &r, Contesto &c)
{
    const QString comando = QStringLiteral("comunita");
    const comunita::LetturaOpzioni lette = comunita::leggiOpzioni(r.opzioni);
    if (!lette.errore.isEmpty())
        return c.usoErrato(comando, lette.errore);
    const QString file = r.posizionali[0];
    const std::optional<Rilievo> rilievo = c.leggi(file);
    if (!rilievo)
        return 1;
    int conOrganismi = 0;
    for (const Stazione &s : rilievo->stazioni)
        conOrganismi += s.totale() > 0;
    const QString troppi = comunita::gruppiTroppi(lette.opzioni, conOrganismi);
    if (!troppi.isEmpty() && conOrganismi >= 3)
        return c.usoErrato(comando, troppi);
    if (conOrganismi < 3)
        return c.fallito(QStringLiteral("%1: %2").arg(file, comunita::analizza(*rilievo, lette.opzioni).errore));
    const area::Caricamento caricata = area::carica(c.cartellaArea(r));
    if (!caricata.area)
        return c.fallito(caricata.errore);
    // The area's assemblages do not depend on the survey: the second core
    // works them out while this one analyses the stations.
    std::future<assemblaggi::Mappa> mappa = std::async(std::launch::async, [&] {
        return assemblaggi::calcola(*caricata.area, lette.opzioni.trasformazione, lette.opzioni.taglio);
    });
    const comunita::Esito esito = comunita::analizza(*rilievo, lette.opzioni);
    const comunita::Analisi &a = *esito.analisi;

    c.out << QObject::tr("Rilievo: %1, %2 stazioni; %3")
                 .arg(QFileInfo(file).fileName())
                 .arg(rilievo->numStazioni())
                 .arg(comunita::descrizione(a.opzioni))
          << "\n";
    if (!a.vuote.empty())
        c.out << QObject::tr("Stazioni senza organismi, lasciate fuori: %1.").arg(elencoNumeri(a.vuote)) << "\n";
    const std::vector<int> discordi = verita::stazioniDiscordi(*rilievo, *caricata.area);
    if (!discordi.empty())
        c.out << QObject::tr("Attenzione: la profondità delle stazioni %1 non corrisponde alla batimetria dell'area; "
                             "il rilievo viene da un'altra area?")
                     .arg(elencoNumeri(discordi))
              << "\n";
    c.out << "\n";
    matrice(c.out, a);
    cluster(c.out, a);
    nmdsBlocco(c.out, a);
    simperBlocchi(c.out, a);
    anosimBlocco(c.out, a);
    const assemblaggi::Mappa vera = mappa.get();
    veri(c.out, a, comunita::confronta(a, *rilievo, vera), vera);
    return 0;
}

int comandoSforzo(const Riga &r, Contesto &c)
{
    const QString file = r.posizionali[0];
    const std::optional<Rilievo> rilievo = c.leggi(file);
    if (!rilievo)
        return 1;
    const area::Caricamento caricata = area::carica(c.cartellaArea(r));
    if (!caricata.area)
        return c.fallito(caricata.errore);
    const accumulo::Esito esito = accumulo::sforzo(*rilievo, *caricata.area);
    if (!esito.sforzo)
        return c.fallito(QStringLiteral("%1: %2").arg(file, esito.errore));
    const accumulo::Sforzo &s = *esito.sforzo;
    const int m = s.stime.m;

    c.out << QObject::tr("Rilievo: %1, %2 stazioni in mare").arg(QFileInfo(file).fileName()).arg(m);
    if (!s.escluse.empty())
        c.out << QObject::tr("; lasciate fuori perché a 0 m o meno: %1").arg(elencoNumeri(s.escluse));
    c.out << "\n"
          << QObject::tr("Area: %1").arg(QDir::toNativeSeparators(caricata.area->cartella)) << "\n\n";

    c.out << QObject::tr("Curva di accumulo delle specie: attese esatte su tutti gli ordini delle stazioni, "
                         "con la deviazione standard data dal rilievo; accanto le attese con stazioni a caso nel mare vero")
          << "\n";
    c.out << QObject::tr("stazioni\tS attese\tDS\tS attese nel mare vero") << "\n";
    for (const accumulo::Punto &p : s.curva)
        c.out << p.stazioni << '\t' << fisso(p.specie, 2) << '\t' << fisso(p.deviazione, 2) << '\t'
              << fisso(accumulo::attese(s.vera, p.stazioni), 2) << "\n";

    const accumulo::Stimatori &e = s.stime;
    c.out << "\n"
          << QObject::tr("Stime della ricchezza totale su %1 stazioni: S osservate %2; Q1 = %3 specie in una sola "
                         "stazione, Q2 = %4 in due")
                 .arg(m)
                 .arg(e.osservate)
                 .arg(e.q1)
                 .arg(e.q2)
          << "\n";
    c.out << QObject::tr("stimatore\tS stimate\tES") << "\n";
    c.out << (e.q2 > 0 ? QStringLiteral("Chao2") : QObject::tr("Chao2 (corretto, Q2 = 0)")) << '\t' << fisso(e.chao2, 2)
          << '\t' << fisso(e.chao2Errore, 2) << "\n";
    c.out << QObject::tr("Jackknife 1") << '\t' << fisso(e.jack1, 2) << '\t' << fisso(e.jack1Errore, 2) << "\n";
    c.out << QObject::tr("Jackknife 2") << '\t' << fisso(e.jack2, 2) << '\t' << numeri::kNd << "\n";

    c.out << "\n" << QObject::tr("La verità dell'area") << "\n";
    c.out << QObject::tr("specie\tstazioni con la specie\tfrazione del mare con la specie") << "\n";
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        c.out << nomeSpecie(sp) << '\t' << s.frequenze[sp - 1] << '\t' << fisso(s.vera.frazione[sp - 1], 3) << "\n";
    const double attese = accumulo::attese(s.vera, m);
    c.out << QObject::tr("Specie presenti nel mare rilevabile: %1").arg(s.vera.specie) << "\n";
    c.out << QObject::tr("S attese con %1 stazioni a caso nel mare: %2").arg(m).arg(fisso(attese, 2)) << "\n";
    c.out << QObject::tr("S del rilievo: %1, cioè %2 rispetto alle attese")
                 .arg(e.osservate)
                 .arg((e.osservate >= attese ? QStringLiteral("+") : QString()) + fisso(e.osservate - attese, 2))
          << "\n";
    return 0;
}
