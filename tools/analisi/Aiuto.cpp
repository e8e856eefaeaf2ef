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
    "  comunita FILE [--area CARTELLA] [--trasformazione T] [--taglio S | --gruppi K]\n"
    "           [--strati LIMITI] [--seme S]\n"
    "                                   similarità, gruppi, nMDS, SIMPER, ANOSIM e le comunità vere\n"
    "  sforzo FILE [--area CARTELLA]    curva di accumulo delle specie, Chao2 e jackknife, contro la verità\n"
    "  rapporto FILE [--area CARTELLA] [-o FILE.pdf] [--png CARTELLA] [opzioni di comunita]\n"
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
        {QStringLiteral("comunita"),
         "Uso: fondalis-analisi comunita FILE [--area CARTELLA] [--trasformazione T]\n"
         "                                [--taglio S | --gruppi K] [--strati LIMITI] [--seme S]\n"
         "\n"
         "Confronta le comunità delle stazioni, come PRIMER e vegan, in blocchi separati\n"
         "da TAB, ognuno con una riga di titolo:\n"
         "  la similarità di Bray-Curtis (0-100 %) tra ogni coppia di stazioni, una cifra\n"
         "  decimale: 100 (1 - somma |a - b| / somma (a + b)) sui conteggi trasformati;\n"
         "  il raggruppamento per legame medio (UPGMA): ogni fusione con la sua similarità,\n"
         "  a parità prima le stazioni di numero più basso; la correlazione cofenetica;\n"
         "  i gruppi al taglio, numerati a partire da quello della prima stazione;\n"
         "  l'nMDS in 2 dimensioni: lo stress 1 di Kruskal (regressione monotona;\n"
         "  dissimilarità uguali libere di avere distanze diverse), il migliore di 20\n"
         "  partenze (PCoA e 19 casuali), con la lettura di Clarke: < 0.05 eccellente,\n"
         "  < 0.1 buona, < 0.2 utilizzabile con cautela, altrimenti inaffidabile; le\n"
         "  coordinate sugli assi principali;\n"
         "  SIMPER: la similarità media entro ogni gruppo di due o più stazioni e la\n"
         "  dissimilarità media tra ogni coppia di gruppi, con il contributo medio delle\n"
         "  specie, il rapporto contributo/DS e le percentuali, fino al 90 %;\n"
         "  ANOSIM degli strati di profondità: R globale, p da 999 permutazioni, R per\n"
         "  coppia di strati (gli strati con una sola stazione restano fuori);\n"
         "  gli assemblaggi veri dell'area, trovati allo stesso modo su una griglia di\n"
         "  al più circa 3000 pixel di mare, contro i gruppi del rilievo, con l'indice di\n"
         "  Rand corretto (1: le stesse partizioni, circa 0: un accordo casuale).\n"
         "Le stazioni senza organismi non hanno similarità: restano fuori e sono nominate.\n"
         "Servono almeno 3 stazioni con organismi.\n"
         "\n"
         "  --area CARTELLA       l'area del rilievo (predefinita: quella del programma)\n"
         "  --trasformazione T    nessuna, radice (predefinita), radice4 o presenza\n"
         "  --taglio S            i gruppi uniti a S % di similarità o più (predefinito 40)\n"
         "  --gruppi K            oppure l'albero tagliato in K gruppi\n"
         "  --strati LIMITI       gli strati dell'ANOSIM (predefiniti 0,10,30,60,200)\n"
         "  --seme S              le partenze casuali e le permutazioni (predefinito 1)\n"
         "\n"
         "Esempio: fondalis-analisi comunita rilievo.txt --trasformazione radice4 --gruppi 4\n"},
        {QStringLiteral("sforzo"),
         "Uso: fondalis-analisi sforzo FILE [--area CARTELLA]\n"
         "\n"
         "Quante stazioni bastano? Per le stazioni del rilievo in mare (anche quelle\n"
         "senza organismi) stampa:\n"
         "  la curva di accumulo delle specie: le specie attese con n stazioni, media\n"
         "  esatta su tutti gli ordini delle stazioni (come specaccum(method = \"exact\")\n"
         "  di vegan), con la deviazione standard data dal rilievo;\n"
         "  le stime della ricchezza totale: Chao2 = S + (m - 1)/m Q1² / (2 Q2), con\n"
         "  Q2 = 0 la forma corretta S + (m - 1)/m Q1 (Q1 - 1) / 2; jackknife 1 =\n"
         "  S + Q1 (m - 1)/m; jackknife 2 = S + Q1 (2m - 3)/m - Q2 (m - 2)² / (m (m - 1));\n"
         "  Q1 e Q2 le specie trovate in una sola e in due stazioni, con l'errore\n"
         "  standard dove il metodo ne ha uno;\n"
         "  la verità: le specie presenti nel mare rilevabile, la curva attesa per n\n"
         "  stazioni a caso nel mare, somma delle specie di 1 - (1 - p)^n con p la\n"
         "  frazione del mare dove la specie c'è, e quanto il rilievo se ne discosta.\n"
         "Due cifre decimali; servono almeno 2 stazioni in mare.\n"
         "\n"
         "  --area CARTELLA   l'area del rilievo (predefinita: quella del programma)\n"
         "\n"
         "Esempio: fondalis-analisi sforzo rilievo.txt\n"},
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
