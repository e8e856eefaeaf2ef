#include "Analisi.h"

#include "Area.h"
#include "ComandiRapporto.h"
#include "Disegno.h"
#include "ElencoTaxa.h"
#include "Formati.h"
#include "Indici.h"
#include "Numeri.h"
#include "Rilievo.h"
#include "SurveyMap.h"
#include "TableText.h"
#include "Verita.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QRandomGenerator>

#include <functional>
#include <memory>

namespace {

const QLatin1String kCrLf("\r\n");
const QString kStratiPredefiniti = QStringLiteral("0,10,30,60,200");

const char *const kAiuto =
    "Uso: fondalis-analisi COMANDO [OPZIONI]\n"
    "\n"
    "Analizza un rilievo salvato da Fondalis con \"Salva dati\".\n"
    "\n"
    "Comandi:\n"
    "  indici FILE                      N, S, H', J', Simpson, Margalef e AMBI per stazione\n"
    "  verita FILE [--area CARTELLA] [--strati LIMITI]\n"
    "                                   le medie del rilievo contro quelle vere dell'area\n"
    "  disegno casuale|griglia|stratificato N [--seme S] [--strati LIMITI] [--area CARTELLA]\n"
    "                                   N stazioni posate da un disegno di campionamento\n"
    "  formato lungo|trasposto FILE     il rilievo in CSV per R, PRIMER e fogli di calcolo\n"
    "  rapporto FILE [--area CARTELLA] [-o FILE.pdf] [--png CARTELLA]\n"
    "                                   il rapporto del rilievo in PDF, da stampare\n"
    "  classe FILE... [--area CARTELLA] [-o FILE.pdf] [--png CARTELLA]\n"
    "                                   i rilievi di una classe insieme, intorno alla verita'\n"
    "\n"
    "fondalis-analisi COMANDO --help spiega ogni comando con un esempio.\n"
    "Stato di uscita: 0 fatto, 1 file o area non utilizzabili, 2 uso errato.\n";

const QMap<QString, const char *> &aiutiComandi()
{
    static const QMap<QString, const char *> aiuti{
        {QStringLiteral("indici"),
         "Uso: fondalis-analisi indici FILE\n"
         "\n"
         "Stampa gli indici di ogni stazione e dell'intero rilievo (i conteggi sommati),\n"
         "come la tabella di Fondalis: una colonna per stazione, separate da TAB.\n"
         "\n"
         "  N            individui\n"
         "  S            specie presenti\n"
         "  H' (ln)      Shannon, -somma p ln p, con il logaritmo naturale\n"
         "  H' (log2)    lo stesso in bit\n"
         "  J'           Pielou, H' / ln S; n.d. se S <= 1\n"
         "  Simpson      1 - somma n(n-1) / (N(N-1)), la forma non distorta; n.d. se N <= 1\n"
         "  Margalef d   (S - 1) / ln N; n.d. se N <= 1\n"
         "  AMBI         (0 %I + 1.5 %II + 3 %III + 4.5 %IV + 6 %V) / 100; n.d. se N = 0\n"
         "  classe AMBI  <= 1.2 indisturbato, <= 3.3 leggermente disturbato,\n"
         "               <= 5.0 moderatamente disturbato, <= 6.0 fortemente disturbato,\n"
         "               azoico senza organismi\n"
         "\n"
         "Tre decimali, il punto come separatore; \"n.d.\" dove l'indice non e' definito.\n"
         "Gruppi ecologici AMBI dei taxa:\n"
         "%GRUPPI%"
         "\n"
         "Esempio: fondalis-analisi indici rilievo.txt\n"},
        {QStringLiteral("verita"),
         "Uso: fondalis-analisi verita FILE [--area CARTELLA] [--strati LIMITI]\n"
         "\n"
         "Per ogni specie, e per N e S, confronta la media per stazione del rilievo,\n"
         "con il suo errore standard (ES) e l'intervallo di confidenza al 95 % (t di\n"
         "Student), con la media vera su tutto il mare rilevabile dell'area (ogni pixel\n"
         "con profondita' sopra 0 m). Stampa l'errore relativo (stima - vera) / vera e se\n"
         "l'intervallo contiene il valore vero. Le stazioni a 0 m o meno sono fuori dal\n"
         "mare rilevabile e restano escluse.\n"
         "\n"
         "  --area CARTELLA   l'area del rilievo (predefinita: quella del programma)\n"
         "  --strati LIMITI   stima stratificata per profondita', ogni strato pesato per\n"
         "                    la sua area vera: 0,10,30 fa gli strati (0,10] e (10,30] m\n"
         "\n"
         "Medie con due decimali, il punto come separatore.\n"
         "\n"
         "Esempio: fondalis-analisi verita rilievo.txt --strati 0,10,30,60,200\n"},
        {QStringLiteral("disegno"),
         "Uso: fondalis-analisi disegno casuale|griglia|stratificato N [--seme S]\n"
         "                                [--strati LIMITI] [--area CARTELLA]\n"
         "\n"
         "Posa N stazioni (1 ... 100) sul mare rilevabile con le regole di Fondalis (nessuna\n"
         "stazione sopra o accanto a un'altra) e stampa la tabella che \"Salva dati\"\n"
         "scriverebbe, byte per byte.\n"
         "\n"
         "  casuale       campionamento casuale semplice\n"
         "  griglia       una griglia regolare, dall'origine casuale\n"
         "  stratificato  casuale entro strati di profondita', N ripartito in proporzione\n"
         "                all'area di ogni strato (strati predefiniti: 0,10,30,60,200)\n"
         "  --seme S      lo stesso seme da' le stesse stazioni; senza, il seme scelto\n"
         "                e' scritto sull'errore standard\n"
         "\n"
         "Esempio: fondalis-analisi disegno stratificato 30 --seme 7 > stratificato.txt\n"},
        {QStringLiteral("formato"),
         "Uso: fondalis-analisi formato lungo|trasposto FILE\n"
         "\n"
         "Riscrive il rilievo in CSV per R, PRIMER e fogli di calcolo: UTF-8, virgole,\n"
         "una riga d'intestazione, il punto per i decimali, righe chiuse da CR LF.\n"
         "\n"
         "  lungo      stazione,x_m,y_m,prof_m,specie,conteggio: una riga per specie\n"
         "  trasposto  una riga per stazione, una colonna per specie\n"
         "\n"
         "Esempio: fondalis-analisi formato lungo rilievo.txt > rilievo.csv\n"},
    };
    return aiuti;
}

QString aiutoDi(const QString &comando)
{
    QString testo = QString::fromUtf8(aiutiComandi().value(comando));
    QString gruppi;
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        gruppi += QStringLiteral("  sp. %1  %2  %3\n").arg(sp, 2).arg(elencotaxa::nome(sp), -24).arg(elencotaxa::romano(elencotaxa::gruppo(sp)));
    return testo.replace(QLatin1String("%GRUPPI%"), gruppi);
}

// The words of a command line: positional arguments and --name value pairs.
struct Riga {
    QStringList posizionali;
    QMap<QString, QString> opzioni;
    bool aiuto = false;
    QString errore;
};

Riga analizza(const QStringList &args, const QStringList &ammesse)
{
    Riga r;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            r.aiuto = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            QString nome = a.mid(2);
            QString valore;
            const qsizetype uguale = nome.indexOf(QLatin1Char('='));
            if (uguale >= 0) {
                valore = nome.mid(uguale + 1);
                nome.truncate(uguale);
            } else if (i + 1 < args.size()) {
                valore = args[++i];
            } else {
                r.errore = QObject::tr("manca il valore di --%1").arg(nome);
                return r;
            }
            if (!ammesse.contains(nome)) {
                r.errore = QObject::tr("opzione sconosciuta «--%1»").arg(nome);
                return r;
            }
            r.opzioni.insert(nome, valore);
        } else {
            r.posizionali << a;
        }
    }
    return r;
}

class Comando
{
public:
    Comando(QTextStream &out, QTextStream &err, const QString &cartellaProgramma)
        : out_(out), err_(err), cartellaProgramma_(cartellaProgramma) {}

    int esegui(const QStringList &args);

private:
    int usoErrato(const QString &comando, const QString &messaggio)
    {
        err_ << "fondalis-analisi " << comando << ": " << messaggio << "\n"
             << QObject::tr("Aiuto: fondalis-analisi %1 --help").arg(comando) << "\n";
        return 2;
    }
    int fallito(const QString &messaggio)
    {
        err_ << "fondalis-analisi: " << messaggio << "\n";
        return 1;
    }
    std::optional<Rilievo> leggi(const QString &file)
    {
        rilievo::Lettura l = rilievo::leggiFile(file);
        if (!l.ok())
            fallito(QStringLiteral("%1: %2").arg(file, l.errore));
        return std::move(l.rilievo);
    }
    QString cartellaArea(const Riga &r) const { return r.opzioni.value(QStringLiteral("area"), cartellaProgramma_); }

    int indici(const Riga &r);
    int verita(const Riga &r);
    int disegno(const Riga &r);
    int formato(const Riga &r);
    void tabellaStime(const verita::Stime &stime);

    QTextStream &out_;
    QTextStream &err_;
    QString cartellaProgramma_;
};

int Comando::esegui(const QStringList &args)
{
    if (args.isEmpty()) {
        err_ << kAiuto;
        return 2;
    }
    const QString comando = args.first();
    if (comando == QLatin1String("--help") || comando == QLatin1String("-h") || comando == QLatin1String("aiuto")) {
        out_ << kAiuto;
        return 0;
    }
    // The reports read their own command lines: classe takes any number of files.
    if (comando == QLatin1String("rapporto"))
        return comandirapporto::rapporto(args.mid(1), out_, err_, cartellaProgramma_);
    if (comando == QLatin1String("classe"))
        return comandirapporto::classe(args.mid(1), out_, err_, cartellaProgramma_);
    using Metodo = int (Comando::*)(const Riga &);
    struct Voce {
        Metodo metodo;
        QStringList opzioni;
        int posizionali;
    };
    const QMap<QString, Voce> comandi{
        {QStringLiteral("indici"), {&Comando::indici, {}, 1}},
        {QStringLiteral("verita"), {&Comando::verita, {QStringLiteral("area"), QStringLiteral("strati")}, 1}},
        {QStringLiteral("disegno"),
         {&Comando::disegno, {QStringLiteral("area"), QStringLiteral("strati"), QStringLiteral("seme")}, 2}},
        {QStringLiteral("formato"), {&Comando::formato, {}, 2}},
    };
    const auto voce = comandi.constFind(comando);
    if (voce == comandi.constEnd()) {
        err_ << QObject::tr("fondalis-analisi: comando sconosciuto «%1»").arg(comando) << "\n\n" << kAiuto;
        return 2;
    }
    const Riga riga = analizza(args.mid(1), voce->opzioni);
    if (riga.aiuto) {
        out_ << aiutoDi(comando);
        return 0;
    }
    if (!riga.errore.isEmpty())
        return usoErrato(comando, riga.errore);
    if (riga.posizionali.size() != voce->posizionali)
        return usoErrato(comando, QObject::tr("attesi %1 argomenti, dati %2").arg(voce->posizionali).arg(riga.posizionali.size()));
    return (this->*(voce->metodo))(riga);
}

int Comando::indici(const Riga &r)
{
    const std::optional<Rilievo> rilievo = leggi(r.posizionali[0]);
    if (!rilievo)
        return 1;
    std::vector<indici::Indici> colonne;
    for (const Stazione &s : rilievo->stazioni)
        colonne.push_back(indici::calcola(s.conteggi));
    colonne.push_back(indici::calcola(rilievo->totali()));

    const auto riga = [&](const QString &etichetta, const std::function<QString(const indici::Indici &)> &valore) {
        out_ << etichetta;
        for (const indici::Indici &i : colonne)
            out_ << '\t' << valore(i);
        out_ << kCrLf;
    };
    out_ << "staz.";
    for (const Stazione &s : rilievo->stazioni)
        out_ << '\t' << s.numero;
    out_ << '\t' << QObject::tr("rilievo") << kCrLf;
    using numeri::fisso;
    using numeri::kIndici;
    riga(QStringLiteral("N"), [](const indici::Indici &i) { return QString::number(i.N); });
    riga(QStringLiteral("S"), [](const indici::Indici &i) { return QString::number(i.S); });
    riga(QStringLiteral("H' (ln)"), [](const indici::Indici &i) { return fisso(i.shannonLn, kIndici); });
    riga(QStringLiteral("H' (log2)"), [](const indici::Indici &i) { return fisso(i.shannonLog2, kIndici); });
    riga(QStringLiteral("J'"), [](const indici::Indici &i) { return fisso(i.pielou, kIndici); });
    riga(QStringLiteral("Simpson 1-λ'"), [](const indici::Indici &i) { return fisso(i.simpson, kIndici); });
    riga(QStringLiteral("Margalef d"), [](const indici::Indici &i) { return fisso(i.margalef, kIndici); });
    riga(QStringLiteral("AMBI"), [](const indici::Indici &i) { return fisso(i.ambi, kIndici); });
    riga(QObject::tr("classe AMBI"), [](const indici::Indici &i) { return indici::nomeClasse(i.classe); });
    return 0;
}

QString elenco(const std::vector<int> &numeri)
{
    QStringList parti;
    for (const int n : numeri)
        parti << QString::number(n);
    return parti.join(QStringLiteral(", "));
}

void Comando::tabellaStime(const verita::Stime &stime)
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

int Comando::verita(const Riga &r)
{
    std::optional<verita::Limiti> limiti;
    if (r.opzioni.contains(QStringLiteral("strati"))) {
        limiti = verita::leggiLimiti(r.opzioni.value(QStringLiteral("strati")));
        if (!limiti->errore.isEmpty())
            return usoErrato(QStringLiteral("verita"), limiti->errore);
    }
    const QString file = r.posizionali[0];
    const std::optional<Rilievo> rilievo = leggi(file);
    if (!rilievo)
        return 1;
    const area::Caricamento caricata = area::carica(cartellaArea(r));
    if (!caricata.area)
        return fallito(caricata.errore);
    const Area &area = *caricata.area;

    const verita::Risultato semplice = verita::confronta(*rilievo, area);
    out_ << QObject::tr("Rilievo: %1, %2 stazioni").arg(QFileInfo(file).fileName()).arg(rilievo->numStazioni());
    if (!semplice.escluse.empty())
        out_ << QObject::tr("; escluse perché a 0 m o meno: %1").arg(elenco(semplice.escluse));
    out_ << "\n";
    out_ << QObject::tr("Area: %1, %2 pixel di mare rilevabile (%3 km²)")
                .arg(QDir::toNativeSeparators(area.cartella))
                .arg(semplice.vera.pixel)
                .arg(numeri::fisso(semplice.vera.pixel * 1.0e-4, 2))
         << "\n";
    const std::vector<int> discordi = verita::stazioniDiscordi(*rilievo, area);
    if (!discordi.empty())
        out_ << QObject::tr("Attenzione: la profondità delle stazioni %1 non corrisponde alla batimetria dell'area; "
                            "il rilievo viene da un'altra area?")
                    .arg(elenco(discordi))
             << "\n";

    if (!limiti) {
        out_ << "\n"
             << QObject::tr("Media per stazione su %1 stazioni; intervallo al 95 % dalla t di Student con %2 gradi di libertà.")
                    .arg(semplice.usate)
                    .arg(std::max(0, semplice.usate - 1))
             << "\n";
        tabellaStime(semplice.stime);
        return 0;
    }

    const verita::RisultatoStrati strati = verita::confrontaPerStrati(*rilievo, area, limiti->valori);
    out_ << "\n" << QObject::tr("strato\tprof. (m)\tpixel\tpeso\tstazioni") << "\n";
    for (std::size_t h = 0; h < strati.strati.size(); ++h) {
        const verita::Strato &s = strati.strati[h];
        out_ << h + 1 << '\t' << s.da << "-" << s.a << '\t' << s.pixel << '\t' << numeri::fisso(s.peso, 3) << '\t'
             << s.stazioni.size() << "\n";
    }
    const std::vector<verita::Strato> scarsi = verita::stratiScarsi(strati);
    if (!scarsi.empty()) {
        QStringList nomi;
        for (const verita::Strato &s : scarsi)
            nomi << QObject::tr("%1-%2 m (%3)").arg(s.da).arg(s.a).arg(s.stazioni.size());
        out_ << QObject::tr("Strati con meno di due stazioni: %1.").arg(nomi.join(QStringLiteral(", "))) << "\n";
    }
    if (!strati.fuori.empty())
        out_ << QObject::tr("Stazioni fuori dagli strati: %1.").arg(elenco(strati.fuori)) << "\n";
    out_ << "\n"
         << QObject::tr("Stima stratificata; intervallo al 95 % dalla t di Student con %1 gradi di libertà.").arg(strati.gradi)
         << "\n";
    tabellaStime(strati.stime);
    return 0;
}

int Comando::disegno(const Riga &r)
{
    static const QMap<QString, disegno::Tipo> tipi{
        {QStringLiteral("casuale"), disegno::Tipo::Casuale},
        {QStringLiteral("griglia"), disegno::Tipo::Griglia},
        {QStringLiteral("stratificato"), disegno::Tipo::Stratificato},
    };
    const QString comando = QStringLiteral("disegno");
    if (!tipi.contains(r.posizionali[0]))
        return usoErrato(comando, QObject::tr("disegno sconosciuto «%1»: casuale, griglia o stratificato").arg(r.posizionali[0]));
    bool ok = false;
    const int n = r.posizionali[1].toInt(&ok);
    if (!ok || n < 1 || n > Velmara::kMaxStazioni)
        return usoErrato(comando, QObject::tr("il numero di stazioni deve essere da 1 a %1, non «%2»")
                                      .arg(Velmara::kMaxStazioni)
                                      .arg(r.posizionali[1]));
    const verita::Limiti limiti = verita::leggiLimiti(r.opzioni.value(QStringLiteral("strati"), kStratiPredefiniti));
    if (!limiti.errore.isEmpty())
        return usoErrato(comando, limiti.errore);
    std::uint64_t seme = 0;
    if (r.opzioni.contains(QStringLiteral("seme"))) {
        seme = r.opzioni.value(QStringLiteral("seme")).toULongLong(&ok);
        if (!ok)
            return usoErrato(comando, QObject::tr("il seme deve essere un numero intero da 0 in su"));
    } else {
        seme = QRandomGenerator::system()->generate64() >> 1;
        err_ << QObject::tr("seme: %1 (--seme %1 ripete questo disegno)").arg(seme) << "\n";
    }

    Velmara stato;
    auto mappa = std::make_unique<SurveyMap>(stato);
    const QString cartella = cartellaArea(r);
    const QString errore = mappa->loadImages(cartella);
    if (!errore.isEmpty())
        return fallito(errore);
    const Area area = area::daMappa(*mappa, cartella);
    const disegno::Esito esito = disegno::posa(*mappa, area, tipi.value(r.posizionali[0]), n, seme, limiti.valori);
    if (!esito.errore.isEmpty())
        return fallito(esito.errore);
    out_ << tabletext::build(stato, mappa->NumStazioni);
    return 0;
}

int Comando::formato(const Riga &r)
{
    const QString tipo = r.posizionali[0];
    if (tipo != QLatin1String("lungo") && tipo != QLatin1String("trasposto"))
        return usoErrato(QStringLiteral("formato"), QObject::tr("formato sconosciuto «%1»: lungo o trasposto").arg(tipo));
    const std::optional<Rilievo> rilievo = leggi(r.posizionali[1]);
    if (!rilievo)
        return 1;
    out_ << (tipo == QLatin1String("lungo") ? formati::lungo(*rilievo) : formati::trasposto(*rilievo));
    return 0;
}

} // namespace

int runAnalisi(const QStringList &args, QTextStream &out, QTextStream &err, const QString &cartellaProgramma)
{
    Comando comando(out, err, cartellaProgramma);
    const int stato = comando.esegui(args);
    out.flush();
    err.flush();
    return stato;
}

bool commandNeedsGui(const QString &command)
{
    return command == QLatin1String("rapporto") || command == QLatin1String("classe");
}
