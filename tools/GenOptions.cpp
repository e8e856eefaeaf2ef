#include "GenOptions.h"

namespace genoptions {

namespace {

GenOptions failure(int status, const QString &message)
{
    GenOptions options;
    options.action = GenOptions::Action::Fail;
    options.status = status;
    options.message = message;
    return options;
}

// A wrong word on the command line is a usage error (status 2) and gets
// the usage line; a wrong value is status 1.
GenOptions usageError(const QString &message)
{
    return failure(2, QStringLiteral("%1\n%2\nPer l'aiuto: fondalis-gen --help").arg(message, usageLine()));
}

bool readSeed(const QString &text, quint32 &seed)
{
    // toUInt() would take "+5" and " 5"; a seed is digits only.
    if (text.isEmpty() || text.size() > 10)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    const qulonglong value = text.toULongLong();
    if (value > 0xFFFFFFFFull)
        return false;
    seed = static_cast<quint32>(value);
    return true;
}

} // namespace

QString usageLine()
{
    return QStringLiteral("Uso: fondalis-gen [--seed N] [--con-programma] [--sovrascrivi] CARTELLA");
}

QString helpText()
{
    return usageLine() + QStringLiteral(R"(

Crea in CARTELLA una nuova area marina per Fondalis: la carta (base.bmp), la
batimetria (bati.bmp), le densità delle dodici specie (s1.bmp ... s12.bmp),
le figure degli organismi (fauna.dib) e i cinque sfondi del setaccio.
Lo stesso seme dà sempre la stessa area; un altro seme sposta il promontorio,
la baia, la foce e il banco e ridisegna tutte le macchie di fauna.

Opzioni:
  --seed N          seme dell'area, da 0 a 4294967295 (se manca: 20261206)
  --con-programma   mette nella cartella anche una copia del programma, che
                    così funziona da sola: CARTELLA/fondalis
  --sovrascrivi     scrive anche in una cartella che contiene già altri file
                    (i file dell'area vengono sostituiti, gli altri restano)
  -h, --help        mostra questo aiuto ed esce

Stato d'uscita: 0 se l'area è scritta; 1 se il seme non è valido, se manca
la cartella o se non si può scrivere; 2 se le opzioni sono usate male.

Esempio, un'area per la classe 3B:
  fondalis-gen --seed 42 --con-programma ~/golfo42 && ~/golfo42/fondalis
)");
}

GenOptions parse(const QStringList &arguments)
{
    GenOptions options;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &arg = arguments[i];
        if (!optionsEnded && arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            QString seedText;
            if (arg == QLatin1String("--")) {
                optionsEnded = true;
                continue;
            } else if (arg == QLatin1String("-h") || arg == QLatin1String("--help")) {
                GenOptions help;
                help.action = GenOptions::Action::Help;
                return help;
            } else if (arg == QLatin1String("--con-programma")) {
                options.withProgram = true;
                continue;
            } else if (arg == QLatin1String("--sovrascrivi")) {
                options.overwrite = true;
                continue;
            } else if (arg == QLatin1String("--seed")) {
                if (i + 1 >= arguments.size())
                    return usageError(QStringLiteral("fondalis-gen: dopo --seed ci vuole il seme, un numero."));
                seedText = arguments[++i];
            } else if (arg.startsWith(QLatin1String("--seed="))) {
                seedText = arg.mid(7);
            } else {
                return usageError(QStringLiteral("fondalis-gen: opzione sconosciuta «%1».").arg(arg));
            }
            if (!readSeed(seedText, options.seed))
                return failure(1, QStringLiteral("fondalis-gen: il seme deve essere un numero intero da 0 a "
                                                 "4294967295, non «%1».")
                                      .arg(seedText));
        } else if (options.folder.isEmpty()) {
            options.folder = arg;
        } else {
            return usageError(QStringLiteral("fondalis-gen: una sola cartella per volta, non anche «%1».").arg(arg));
        }
    }
    if (options.folder.isEmpty())
        return failure(1, QStringLiteral("fondalis-gen: manca la cartella in cui scrivere l'area.\n%1").arg(usageLine()));
    return options;
}

} // namespace genoptions
