#include "ComandiRapporto.h"

#include "Comunita.h"
#include "Documenti.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace comandirapporto {

namespace {

const QStringList kOpzioniComunita{QStringLiteral("trasformazione"), QStringLiteral("taglio"), QStringLiteral("gruppi"),
                                    QStringLiteral("strati"), QStringLiteral("seme")};

struct Opzioni {
    QStringList file;
    QString area;
    QString uscita;
    QString png;
    QMap<QString, QString> comunita; // the community pages' options, as comunita takes them
    bool aiuto = false;
    QString errore;
};

Opzioni leggiOpzioni(const QStringList &args, const QString &cartellaProgramma)
{
    Opzioni o;
    o.area = cartellaProgramma;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        auto valore = [&](QString &dove) {
            if (i + 1 >= args.size() || args[i + 1].isEmpty()) {
                o.errore = QStringLiteral("manca il valore di %1").arg(a);
                return;
            }
            dove = args[++i];
        };
        if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            o.aiuto = true;
        else if (a == QLatin1String("--area"))
            valore(o.area);
        else if (a == QLatin1String("-o"))
            valore(o.uscita);
        else if (a == QLatin1String("--png"))
            valore(o.png);
        else if (kOpzioniComunita.contains(a.mid(2)) && a.startsWith(QLatin1String("--")))
            valore(o.comunita[a.mid(2)]);
        else if (a.startsWith(QLatin1Char('-')) && a.size() > 1)
            o.errore = QStringLiteral("opzione sconosciuta: %1").arg(a);
        else
            o.file << a;
        if (!o.errore.isEmpty())
            break;
    }
    return o;
}

bool senzaGrafica(QTextStream &err)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return false;
    err << "fondalis-analisi: per disegnare le pagine serve la grafica di Qt\n";
    return true;
}

int scrivi(const stampa::Documento &doc, const QString &pdf, const QString &png, QTextStream &out, QTextStream &err)
{
    const QString errore = doc.scrivi(pdf, png);
    if (!errore.isEmpty()) {
        err << "fondalis-analisi: " << errore << "\n";
        return 1;
    }
    out << QStringLiteral("Scritto %1 (%2 pagine)").arg(QDir::toNativeSeparators(pdf)).arg(doc.pagine());
    if (!png.isEmpty())
        out << QStringLiteral("; le pagine in PNG in %1").arg(QDir::toNativeSeparators(png));
    out << ".\n";
    return 0;
}

} // namespace

QString aiutoRapporto()
{
    return QStringLiteral(
        "Uso: fondalis-analisi rapporto FILE [--area CARTELLA] [-o FILE.pdf] [--png CARTELLA]\n"
        "                               [--trasformazione T] [--taglio S | --gruppi K] [--strati LIMITI] [--seme S]\n"
        "\n"
        "Scrive il rapporto del rilievo in un PDF A4 da stampare o consegnare:\n"
        "  la mappa dell'area con le stazioni numerate e la scala;\n"
        "  la tabella delle stazioni: posizione, profondità, N, S, H' (ln), J', AMBI e la sua classe;\n"
        "  per ogni specie la media stimata con l'intervallo al 95 % accanto alla media vera;\n"
        "  la zonazione: individui contro profondità sul profilo vero (media per fascia di 5 m);\n"
        "  il grafico rango-abbondanza del rilievo;\n"
        "  Comunità: il dendrogramma con il taglio, l'nMDS con il suo stress, SIMPER e ANOSIM;\n"
        "  Le comunità vere: gli assemblaggi veri dell'area sotto i gruppi del rilievo, con\n"
        "  la tabella dei due e l'indice di Rand corretto;\n"
        "  Sforzo di campionamento: la curva di accumulo delle specie contro quella vera,\n"
        "  con Chao2 e jackknife.\n"
        "Gli indici e le stime sono quelli dei comandi indici, verita, comunita e sforzo.\n"
        "\n"
        "  --area CARTELLA  l'area del rilievo (predefinita: quella del programma)\n"
        "  -o FILE.pdf      il PDF da scrivere (predefinito: FILE-rapporto.pdf accanto al rilievo)\n"
        "  --png CARTELLA   scrive anche ogni pagina come PNG (pagina-01.png, ...)\n"
        "  --trasformazione, --taglio, --gruppi, --strati, --seme\n"
        "                   come per comunita, con gli stessi valori predefiniti (radice, taglio al\n"
        "                   40 %, strati 0,10,30,60,200, seme 1)\n"
        "\n"
        "Esempio: fondalis-analisi rapporto rilievo.txt -o rapporto.pdf\n");
}

QString aiutoClasse()
{
    return QStringLiteral(
        "Uso: fondalis-analisi classe FILE... [--area CARTELLA] [-o FILE.pdf] [--png CARTELLA]\n"
        "\n"
        "Mette insieme i rilievi di una classe sulla stessa area, un file per studente:\n"
        "  una tabella con, per ogni specie e per N e S, la media vera, la stima di ogni rilievo,\n"
        "  la media e la deviazione standard delle stime e quanti intervalli al 95 % contengono il vero;\n"
        "  per ogni specie le stime con i loro intervalli intorno alla linea del vero,\n"
        "  ordinate per numero di stazioni.\n"
        "I file illeggibili sono nominati e saltati; il rapporto dice quanti rilievi ha usato.\n"
        "Una nota segnala rilievi di dimensioni diverse e stazioni la cui profondità non è\n"
        "quella della batimetria dell'area.\n"
        "\n"
        "  --area CARTELLA  l'area dei rilievi (predefinita: quella del programma)\n"
        "  -o FILE.pdf      il PDF da scrivere (predefinito: classe.pdf)\n"
        "  --png CARTELLA   scrive anche ogni pagina come PNG\n"
        "\n"
        "Esempio: fondalis-analisi classe rilievi/*.txt -o classe.pdf\n");
}

int rapporto(const QStringList &args, QTextStream &out, QTextStream &err, const QString &cartellaProgramma)
{
    const Opzioni o = leggiOpzioni(args, cartellaProgramma);
    if (o.aiuto) {
        out << aiutoRapporto();
        return 0;
    }
    if (!o.errore.isEmpty() || o.file.size() != 1) {
        err << "fondalis-analisi rapporto: "
            << (o.errore.isEmpty() ? QStringLiteral("serve un solo file di rilievo") : o.errore) << "\n"
            << "Aiuto: fondalis-analisi rapporto --help\n";
        return 2;
    }
    const comunita::LetturaOpzioni opzioniComunita = comunita::leggiOpzioni(o.comunita);
    if (!opzioniComunita.errore.isEmpty()) {
        err << "fondalis-analisi rapporto: " << opzioniComunita.errore << "\n"
            << "Aiuto: fondalis-analisi rapporto --help\n";
        return 2;
    }
    if (senzaGrafica(err))
        return 1;

    const rilievo::Lettura letto = rilievo::leggiFile(o.file.front());
    if (!letto.ok()) {
        err << "fondalis-analisi: " << letto.errore << "\n";
        return 1;
    }
    const documenti::AreaConMappa area = documenti::caricaArea(o.area);
    if (!area.area) {
        err << "fondalis-analisi: " << area.errore << "\n";
        return 1;
    }
    const ::Rilievo &r = *letto.rilievo;
    const QString rifiuto = documenti::rifiuto(r);
    if (!rifiuto.isEmpty()) {
        err << "fondalis-analisi: " << rifiuto << "\n";
        return 1;
    }

    int conOrganismi = 0;
    for (const Stazione &s : r.stazioni)
        conOrganismi += s.totale() > 0;
    const QString troppi = comunita::gruppiTroppi(opzioniComunita.opzioni, conOrganismi);
    if (!troppi.isEmpty() && conOrganismi >= 3) {
        err << "fondalis-analisi rapporto: " << troppi << "\nAiuto: fondalis-analisi rapporto --help\n";
        return 2;
    }

    const QFileInfo info(o.file.front());
    const QString pdf = !o.uscita.isEmpty()
                            ? o.uscita
                            : info.dir().filePath(info.completeBaseName() + QStringLiteral("-rapporto.pdf"));
    const documenti::Esito fatto = documenti::rilievo(r, info.fileName(), *area.area, area.mappa, opzioniComunita.opzioni);
    if (!fatto.documento) {
        err << "fondalis-analisi: " << fatto.errore << "\n";
        return 1;
    }
    return scrivi(*fatto.documento, pdf, o.png, out, err);
}

int classe(const QStringList &args, QTextStream &out, QTextStream &err, const QString &cartellaProgramma)
{
    Opzioni o = leggiOpzioni(args, cartellaProgramma);
    if (o.aiuto) {
        out << aiutoClasse();
        return 0;
    }
    if (o.errore.isEmpty() && !o.comunita.isEmpty())
        o.errore = QStringLiteral("opzione sconosciuta: --%1").arg(o.comunita.firstKey());
    if (!o.errore.isEmpty() || o.file.isEmpty()) {
        err << "fondalis-analisi classe: " << (o.errore.isEmpty() ? QStringLiteral("servono i file dei rilievi") : o.errore)
            << "\nAiuto: fondalis-analisi classe --help\n";
        return 2;
    }
    if (senzaGrafica(err))
        return 1;
    const area::Caricamento caricata = area::carica(o.area);
    if (!caricata.area) {
        err << "fondalis-analisi: " << caricata.errore << "\n";
        return 1;
    }

    std::vector<costruzione::Lettura> letture;
    for (const QString &f : o.file)
        letture.push_back({f, rilievo::leggiFile(f)});
    const documenti::EsitoClasse fatto = documenti::classe(letture, *caricata.area);
    for (const QString &s : fatto.contenuto.scartati)
        err << "fondalis-analisi: saltato " << s << "\n";
    for (const QString &n : fatto.contenuto.note)
        err << "fondalis-analisi: nota: " << n << "\n";
    if (!fatto.documento) {
        err << "fondalis-analisi: " << fatto.errore << "\n";
        return 1;
    }
    out << QStringLiteral("Rilievi usati: %1 di %2.\n").arg(fatto.contenuto.uscite.size()).arg(o.file.size());
    const QString pdf = o.uscita.isEmpty() ? QStringLiteral("classe.pdf") : o.uscita;
    return scrivi(*fatto.documento, pdf, o.png, out, err);
}

} // namespace comandirapporto
