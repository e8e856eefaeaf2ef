#include "AnalisiCases.h"

#include "Analisi.h"
#include "Area.h"
#include "Assemblaggi.h"
#include "Bench.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

// Runs one command as the tool would; its output is thrown away, its
// status kept so that a failing command is not timed as a fast one.
int run(const Bench &b, const QStringList &args)
{
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    return runAnalisi(args, outStream, errStream, b.folder());
}

// A survey as "Salva dati" would have saved it, made by a design.
QString saveDesign(const Bench &b, const QString &folder, int stations, int seed)
{
    QString table;
    QString err;
    QTextStream out(&table);
    QTextStream errStream(&err);
    const QStringList args{QStringLiteral("disegno"), QStringLiteral("casuale"), QString::number(stations),
                           QStringLiteral("--seme"), QString::number(seed)};
    if (runAnalisi(args, out, errStream, b.folder()) != 0)
        return {};
    out.flush();
    const QString path = folder + QStringLiteral("/rilievo-%1-%2.txt").arg(stations).arg(seed);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(table.toUtf8()) < 0)
        return {};
    return path;
}

// Each case names itself failed rather than timing a command that fails.
bool timeCommand(Bench &b, const std::string &name, const QStringList &args, double limitSeconds, double budget)
{
    if (run(b, args) != 0) {
        b.failed(name, QStringLiteral("the command failed: %1").arg(args.join(QLatin1Char(' '))));
        return false;
    }
    b.absolute(name, b.time([&] { (void)run(b, args); }, {}, budget), limitSeconds);
    return true;
}

} // namespace

void caseAnalisiCommands(Bench &b)
{
    QTemporaryDir dir;
    const QString survey = saveDesign(b, dir.path(), 100, 1);
    if (survey.isEmpty())
        return b.failed("9 analisi: a 100-station survey", QStringLiteral("no survey could be made"));
    const struct {
        const char *name;
        QStringList args;
    } commands[] = {
        {"9 analisi indici, 100 stations", {QStringLiteral("indici"), survey}},
        {"9 analisi verita, 100 stations", {QStringLiteral("verita"), survey}},
        {"9 analisi verita --strati, 100 stations",
         {QStringLiteral("verita"), survey, QStringLiteral("--strati"), QStringLiteral("0,10,30,60,200")}},
        {"9 analisi disegno casuale 100",
         {QStringLiteral("disegno"), QStringLiteral("casuale"), QStringLiteral("100"), QStringLiteral("--seme"),
          QStringLiteral("2")}},
        {"9 analisi disegno griglia 100",
         {QStringLiteral("disegno"), QStringLiteral("griglia"), QStringLiteral("100"), QStringLiteral("--seme"),
          QStringLiteral("2")}},
        {"9 analisi disegno stratificato 100",
         {QStringLiteral("disegno"), QStringLiteral("stratificato"), QStringLiteral("100"), QStringLiteral("--seme"),
          QStringLiteral("2")}},
        {"9 analisi formato lungo, 100 stations", {QStringLiteral("formato"), QStringLiteral("lungo"), survey}},
        {"9 analisi formato trasposto, 100 stations",
         {QStringLiteral("formato"), QStringLiteral("trasposto"), survey}},
    };
    for (const auto &c : commands)
        timeCommand(b, c.name, c.args, 100e-3, 1.0);
    // The community commands, each with its own target: comunita includes
    // the 20 nMDS starts, the 999 permutations and the true assemblages.
    timeCommand(b, "9 analisi comunita, 100 stations", {QStringLiteral("comunita"), survey}, 150e-3, 3.0);
    timeCommand(b, "9 analisi sforzo, 100 stations", {QStringLiteral("sforzo"), survey}, 50e-3, 1.0);
}

void caseAssemblaggi(Bench &b)
{
    const area::Caricamento area = area::carica(b.folder());
    if (!area.area)
        return b.failed("12 true assemblages of the area", area.errore);
    int numero = 0;
    const Timing t = b.time([&] { numero = assemblaggi::calcola(*area.area, similarita::Trasformazione::Radice, {}).numero; },
                            {}, 3.0);
    if (numero < 1)
        return b.failed("12 true assemblages of the area", QStringLiteral("no assemblage found"));
    b.absolute("12 true assemblages of the area", t, 1.0);
}

void caseRapporto(Bench &b)
{
    QTemporaryDir dir;
    const QString survey = saveDesign(b, dir.path(), 100, 1);
    if (survey.isEmpty())
        return b.failed("10 analisi rapporto, 100 stations", QStringLiteral("no survey could be made"));
    timeCommand(b, "10 analisi rapporto, 100 stations",
                {QStringLiteral("rapporto"), survey, QStringLiteral("-o"), dir.filePath(QStringLiteral("r.pdf"))},
                1.5, 4.0);
}

void caseClasse(Bench &b)
{
    QTemporaryDir dir;
    QStringList args{QStringLiteral("classe")};
    for (int seed = 1; seed <= 30; ++seed) {
        const QString survey = saveDesign(b, dir.path(), 20, seed);
        if (survey.isEmpty())
            return b.failed("11 analisi classe, 30 surveys", QStringLiteral("no survey could be made"));
        args << survey;
    }
    args << QStringLiteral("-o") << dir.filePath(QStringLiteral("c.pdf"));
    timeCommand(b, "11 analisi classe, 30 surveys", args, 2.0, 6.0);
}
