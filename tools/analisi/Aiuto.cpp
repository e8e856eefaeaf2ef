#include "Aiuto.h"

#include "ElencoTaxa.h"

#include <QMap>

namespace {

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
    "                                   i rilievi di una classe insieme, intorno alla verità\n"
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
         "Tre decimali, il punto come separatore; \"n.d.\" dove l'indice non è definito.\n"
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
         "con profondità sopra 0 m). Stampa l'errore relativo (stima - vera) / vera e se\n"
         "l'intervallo contiene il valore vero. Le stazioni a 0 m o meno sono fuori dal\n"
         "mare rilevabile e restano escluse.\n"
         "\n"
         "  --area CARTELLA   l'area del rilievo (predefinita: quella del programma)\n"
         "  --strati LIMITI   stima stratificata per profondità, ogni strato pesato per\n"
         "                    la sua area vera: 0,10,30 fa gli strati (0,10] e (10,30] m\n"
         "\n"
         "Medie con due decimali, il punto come separatore.\n"
         "\n"
         "Esempio: fondalis-analisi verita rilievo.txt --strati 0,10,30,60,200\n"},
        {QStringLiteral("disegno"),
         "Uso: fondalis-analisi disegno casuale|griglia|stratificato N [--seme S]\n"
         "                                [--strati LIMITI] [--area CARTELLA]\n"
         "\n"
         "Posa N stazioni (da 1 a 100) sul mare rilevabile con le regole di Fondalis\n"
         "(nessuna stazione sopra o accanto a un'altra) e stampa la tabella che\n"
         "\"Salva dati\" scriverebbe, byte per byte.\n"
         "\n"
         "  casuale       campionamento casuale semplice\n"
         "  griglia       una griglia regolare, dall'origine casuale\n"
         "  stratificato  casuale entro strati di profondità, N ripartito in proporzione\n"
         "                all'area di ogni strato (strati predefiniti: 0,10,30,60,200)\n"
         "  --seme S      lo stesso seme dà le stesse stazioni; senza, il seme scelto\n"
         "                è scritto sull'errore standard\n"
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

} // namespace

namespace aiuto {

QString generale()
{
    return QString::fromUtf8(kAiuto);
}

QString delComando(const QString &comando)
{
    QString testo = QString::fromUtf8(aiutiComandi().value(comando));
    QString gruppi;
    for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp)
        gruppi += QStringLiteral("  sp. %1  %2  %3\n").arg(sp, 2).arg(elencotaxa::nome(sp), -24).arg(elencotaxa::romano(elencotaxa::gruppo(sp)));
    return testo.replace(QLatin1String("%GRUPPI%"), gruppi);
}

} // namespace aiuto
