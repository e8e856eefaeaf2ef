#include "Analisi.h"

#include "Aiuto.h"
#include "Area.h"
#include "ComandiComunita.h"
#include "ComandiRapporto.h"
#include "Contesto.h"
#include "Disegno.h"
#include "ElencoTaxa.h"
#include "Formati.h"
#include "Indici.h"
#include "Numeri.h"
#include "Rilievo.h"
#include "SurveyMap.h"
#include "TabellaIndici.h"
#include "Verita.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRandomGenerator>

#include <functional>
#include <memory>

namespace {

const QLatin1String kCrLf("\r\n");

int comandoIndici(const Riga &r, Contesto &c)
{
    const std::optional<Rilievo> rilievo = c.leggi(r.posizionali[0]);
    if (!rilievo)
        return 1;
    std::vector<indici::Indici> colonne;
    for (const Stazione &s : rilievo->stazioni)
        colonne.push_back(indici::calcola(s.conteggi));
    colonne.push_back(indici::calcola(rilievo->totali()));

    const auto riga = [&](const QString &etichetta, const std::function<QString(const indici::Indici &)> &valore) {
        c.out << etichetta;
        for (const indici::Indici &i : colonne)
            c.out << '\t' << valore(i);
        c.out << kCrLf;
    };
    c.out << "staz.";
    for (const Stazione &s : rilievo->stazioni)
        c.out << '\t' << s.numero;
    c.out << '\t' << QObject::tr("rilievo") << kCrLf;
    for (const tabellaindici::Voce &voce : tabellaindici::voci())
        riga(voce.etichetta, voce.testo);
    return 0;
}

void tabellaStime(QTextStream &out_, const verita::Stime &stime)
{
    using numeri::fisso;
    using numeri::kMedie;
    out_ << QObject::tr("specie\tmedia\tES\tIC 95% da\tIC 95% a\tvera\terrore rel.\tcopre") << "\n";
    const auto riga = [&](const QString &nome, const statistica::Confronto &c) {
        const statistica::Stima &s = c.stima;
        out_ << nome << '\t' << fisso(s.media, kMedie) << '\t' << fisso(s.errore, kMedie) << '\t'
             << fisso(s.icBasso, kMedie) << '\t' << fisso(s.icAlto, kMedie) << '\t' << fisso(c.vera, kMedie) << '\t'
             << numeri::percento(c.erroreRelativo) << '\t'
             << (c.copre ? (*c.copre ? QObject::tr("sì") : QObject::tr("no")) : numeri::kNd) << "\n";
    };
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        riga(QStringLiteral("%1 %2").arg(sp).arg(elencotaxa::nome(sp)), stime.specie[sp - 1]);
    riga(QStringLiteral("N"), stime.N);
    riga(QStringLiteral("S"), stime.S);
}

int comandoVerita(const Riga &r, Contesto &c)
{
    std::optional<verita::Limiti> limiti;
    if (r.opzioni.contains(QStringLiteral("strati"))) {
        limiti = verita::leggiLimiti(r.opzioni.value(QStringLiteral("strati")));
        if (!limiti->errore.isEmpty())
            return c.usoErrato(QStringLiteral("verita"), limiti->errore);
    }
    const QString file = r.posizionali[0];
    const std::optional<Rilievo> rilievo = c.leggi(file);
    if (!rilievo)
        return 1;
    const area::Caricamento caricata = area::carica(c.cartellaArea(r));
    if (!caricata.area)
        return c.fallito(caricata.errore);
    const Area &area = *caricata.area;

    const verita::Risultato semplice = verita::confronta(*rilievo, area);
    c.out << QObject::tr("Rilievo: %1, %2 stazioni").arg(QFileInfo(file).fileName()).arg(rilievo->numStazioni());
    if (!semplice.escluse.empty())
        c.out << QObject::tr("; escluse perché a 0 m o meno: %1").arg(elencoNumeri(semplice.escluse));
    c.out << "\n";
    c.out << QObject::tr("Area: %1, %2 pixel di mare rilevabile (%3 km²)")
                .arg(QDir::toNativeSeparators(area.cartella))
                .arg(semplice.vera.pixel)
                .arg(numeri::fisso(semplice.vera.pixel * 1.0e-4, 2))
         << "\n";
    const std::vector<int> discordi = verita::stazioniDiscordi(*rilievo, area);
    if (!discordi.empty())
        c.out << QObject::tr("Attenzione: la profondità delle stazioni %1 non corrisponde alla batimetria dell'area; "
                            "il rilievo viene da un'altra area?")
                    .arg(elencoNumeri(discordi))
             << "\n";

    if (!limiti) {
        c.out << "\n"
             << QObject::tr("Media per stazione su %1 stazioni; intervallo al 95 % dalla t di Student con %2 gradi di libertà.")
                    .arg(semplice.usate)
                    .arg(std::max(0, semplice.usate - 1))
             << "\n";
        tabellaStime(c.out, semplice.stime);
        return 0;
    }

    const verita::RisultatoStrati strati = verita::confrontaPerStrati(*rilievo, area, limiti->valori);
    c.out << "\n" << QObject::tr("strato\tprof. (m)\tpixel\tpeso\tstazioni") << "\n";
    for (std::size_t h = 0; h < strati.strati.size(); ++h) {
        const verita::Strato &s = strati.strati[h];
        c.out << h + 1 << '\t' << s.da << "-" << s.a << '\t' << s.pixel << '\t' << numeri::fisso(s.peso, 3) << '\t'
             << s.stazioni.size() << "\n";
    }
    const std::vector<verita::Strato> scarsi = verita::stratiScarsi(strati);
    if (!scarsi.empty()) {
        QStringList nomi;
        for (const verita::Strato &s : scarsi)
            nomi << QStringLiteral("%1-%2 m (%3)").arg(s.da).arg(s.a).arg(stationCountText(static_cast<int>(s.stazioni.size())));
        c.out << QObject::tr("Strati con meno di due stazioni: %1.").arg(nomi.join(QStringLiteral(", "))) << "\n";
    }
    if (strati.copertura < 1.0)
        c.out << QObject::tr("Gli strati coprono il %1 % del mare rilevabile: la verità è la media sugli strati.")
                     .arg(numeri::fisso(100.0 * strati.copertura, 1))
              << "\n";
    if (!strati.fuori.empty())
        c.out << QObject::tr("Stazioni fuori dagli strati: %1.").arg(elencoNumeri(strati.fuori)) << "\n";
    bool stratoVuoto = false;
    for (const verita::Strato &s : scarsi)
        stratoVuoto = stratoVuoto || s.stazioni.empty();
    c.out << "\n";
    if (stratoVuoto)
        c.out << QObject::tr("Uno strato con mare non ha stazioni: la stima stratificata non è definita.") << "\n";
    else
        c.out << QObject::tr("Stima stratificata; intervallo al 95 % dalla t di Student con %1 gradi di libertà.").arg(strati.gradi)
              << "\n";
    tabellaStime(c.out, strati.stime);
    return 0;
}

int comandoDisegno(const Riga &r, Contesto &c)
{
    const QString comando = QStringLiteral("disegno");
    const std::optional<disegno::Tipo> tipo = disegno::tipoDaNome(r.posizionali[0]);
    if (!tipo)
        return c.usoErrato(comando, QObject::tr("disegno sconosciuto «%1»: casuale, griglia o stratificato").arg(r.posizionali[0]));
    bool ok = false;
    const int n = r.posizionali[1].toInt(&ok);
    if (!ok || n < 1 || n > Velmara::kMaxStazioni)
        return c.usoErrato(comando, QObject::tr("il numero di stazioni deve essere da 1 a %1, non «%2»")
                                      .arg(Velmara::kMaxStazioni)
                                      .arg(r.posizionali[1]));
    const verita::Limiti limiti = verita::leggiLimiti(r.opzioni.value(QStringLiteral("strati"), verita::kStratiPredefiniti));
    if (!limiti.errore.isEmpty())
        return c.usoErrato(comando, limiti.errore);
    std::uint64_t seme = 0;
    if (r.opzioni.contains(QStringLiteral("seme"))) {
        seme = r.opzioni.value(QStringLiteral("seme")).toULongLong(&ok);
        if (!ok)
            return c.usoErrato(comando, QObject::tr("il seme deve essere un numero intero da 0 in su"));
    } else {
        seme = QRandomGenerator::system()->generate64() >> 1;
        c.err << QObject::tr("seme: %1 (--seme %1 ripete questo disegno)").arg(seme) << "\n";
    }

    const disegno::Tabella fatta = disegno::tabella(c.cartellaArea(r), *tipo, n, seme, limiti.valori);
    if (!fatta.errore.isEmpty())
        return c.fallito(fatta.errore);
    c.out << fatta.testo;
    return 0;
}

int comandoFormato(const Riga &r, Contesto &c)
{
    const QString tipo = r.posizionali[0];
    if (tipo != QLatin1String("lungo") && tipo != QLatin1String("trasposto"))
        return c.usoErrato(QStringLiteral("formato"), QObject::tr("formato sconosciuto «%1»: lungo o trasposto").arg(tipo));
    const std::optional<Rilievo> rilievo = c.leggi(r.posizionali[1]);
    if (!rilievo)
        return 1;
    c.out << (tipo == QLatin1String("lungo") ? formati::lungo(*rilievo) : formati::trasposto(*rilievo));
    return 0;
}

using Esecutore = int (*)(const Riga &, Contesto &);

struct Voce {
    Esecutore esegui;
    QStringList opzioni; // the --options it accepts
    int posizionali;     // how many positional arguments it takes
};

const QMap<QString, Voce> &comandi()
{
    static const QMap<QString, Voce> tabella{
        {QStringLiteral("indici"), {&comandoIndici, {}, 1}},
        {QStringLiteral("verita"), {&comandoVerita, {QStringLiteral("area"), QStringLiteral("strati")}, 1}},
        {QStringLiteral("disegno"), {&comandoDisegno, {QStringLiteral("area"), QStringLiteral("strati"), QStringLiteral("seme")}, 2}},
        {QStringLiteral("formato"), {&comandoFormato, {}, 2}},
        {QStringLiteral("comunita"),
         {&comandoComunita,
          {QStringLiteral("area"), QStringLiteral("trasformazione"), QStringLiteral("taglio"), QStringLiteral("gruppi"),
           QStringLiteral("strati"), QStringLiteral("seme")},
          1}},
        {QStringLiteral("sforzo"), {&comandoSforzo, {QStringLiteral("area")}, 1}},
    };
    return tabella;
}

} // namespace

int runAnalisi(const QStringList &args, QTextStream &out, QTextStream &err, const QString &cartellaProgramma)
{
    Contesto c(out, err, cartellaProgramma);
    const auto fine = [&](int stato) {
        out.flush();
        err.flush();
        return stato;
    };
    if (args.isEmpty()) {
        err << aiuto::generale();
        return fine(2);
    }
    const QString comando = args.first();
    if (comando == QLatin1String("--help") || comando == QLatin1String("-h") || comando == QLatin1String("aiuto")) {
        out << aiuto::generale();
        return fine(0);
    }
    // The reports read their own command lines: classe takes any number of
    // files, and both take -o.
    if (comando == QLatin1String("rapporto"))
        return fine(comandirapporto::rapporto(args.mid(1), out, err, cartellaProgramma));
    if (comando == QLatin1String("classe"))
        return fine(comandirapporto::classe(args.mid(1), out, err, cartellaProgramma));
    const auto voce = comandi().constFind(comando);
    if (voce == comandi().constEnd()) {
        err << QObject::tr("fondalis-analisi: comando sconosciuto «%1»").arg(comando) << "\n\n" << aiuto::generale();
        return fine(2);
    }
    const Riga riga = analizzaRiga(args.mid(1), voce->opzioni);
    if (riga.aiuto) {
        out << aiuto::delComando(comando);
        return fine(0);
    }
    if (!riga.errore.isEmpty())
        return fine(c.usoErrato(comando, riga.errore));
    if (riga.posizionali.size() != voce->posizionali)
        return fine(c.usoErrato(comando, QObject::tr("attesi %1 argomenti, dati %2").arg(voce->posizionali).arg(riga.posizionali.size())));
    return fine(voce->esegui(riga, c));
}

bool commandNeedsGui(const QString &command)
{
    return command == QLatin1String("rapporto") || command == QLatin1String("classe");
}
