#include "StudioOptions.h"

StudioOptions StudioOptions::parse(const QStringList &args)
{
    StudioOptions o;
    bool onlyFiles = false;
    for (const QString &a : args) {
        if (onlyFiles || !a.startsWith(QLatin1Char('-')) || a == QLatin1String("-")) {
            o.files << a;
        } else if (a == QLatin1String("--")) {
            onlyFiles = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            o.help = true;
        } else if (a == QLatin1String("--version")) {
            o.version = true;
        } else {
            o.error = QStringLiteral("opzione sconosciuta «%1»").arg(a);
            break;
        }
    }
    return o;
}

QString StudioOptions::helpText()
{
    return QStringLiteral(
        "Uso: fondalis-studio [FILE...]\n"
        "\n"
        "Apre in una finestra i rilievi salvati da Fondalis con «Salva dati» e li analizza:\n"
        "la mappa delle stazioni, gli indici di ogni stazione, le stime a confronto con la verità\n"
        "dell'area, la zonazione, il grafico rango-abbondanza e, con più rilievi scelti, la classe.\n"
        "Salva il rapporto in PDF, lo stampa, esporta i dati in CSV e crea nuovi disegni di\n"
        "campionamento. Le cifre sono quelle di fondalis-analisi.\n"
        "\n"
        "L'area è quella del programma, nella cartella che lo contiene; un'altra si sceglie\n"
        "dal menu File con «Area…». Il programma scrive solo i file che l'utente salva.\n"
        "\n"
        "  --help     mostra questo aiuto ed esce\n"
        "  --version  mostra la versione ed esce\n"
        "\n"
        "Esempio: fondalis-studio rilievo.txt casuale.txt\n");
}

QString StudioOptions::versionText()
{
    return QStringLiteral("fondalis-studio (Fondalis) %1\n").arg(QStringLiteral(FONDALIS_VERSION));
}
