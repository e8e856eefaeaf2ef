// The studio's decisions without a window: what it opens and what a failed
// read says, which tab can show what, the warning for another area's
// survey, the indices table, the copied cells, the chart's scale, the
// station under the pointer, and designs, reports and exports that are the
// commands' own.
#include "AnalisiRun.h"
#include "ChartScale.h"
#include "Documenti.h"
#include "Formati.h"
#include "IndicesModel.h"
#include "IndicesTable.h"
#include "StationTips.h"
#include "StudioFixture.h"
#include "StudioOptions.h"
#include "TableCopy.h"
#include "TestData.h"
#include "Workspace.h"

#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTest>

class TestStudioLogic : public StudioFixture
{
    Q_OBJECT

private slots:
    void initTestCase() { makeSurveys(); }
    void options_data();
    void options();
    void openingTwoSurveysOneBroken();
    void tabsSayWhyTheyAreEmpty();
    void anotherAreasSurveyIsNamed();
    void indicesAreTheCommandsOwn();
    void undefinedIndicesSortBelowEveryValue();
    void copiedCellsAreTabSeparated();
    void chartScaleKeepsTheWholeChart_data();
    void chartScaleKeepsTheWholeChart();
    void stationUnderThePointer();
    void designIsTheCommandsOwn_data();
    void designIsTheCommandsOwn();
    void reportIsTheCommandsOwn();
    void exportsAreTheCommandsOwn();
    void aFailedAreaKeepsTheLoadedOne();
};


void TestStudioLogic::options_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("help");
    QTest::addColumn<bool>("version");
    QTest::addColumn<QString>("error");
    QTest::newRow("files") << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt", "b.txt"} << false << false << "";
    QTest::newRow("help") << QStringList{"a.txt", "--help"} << QStringList{"a.txt"} << true << false << "";
    QTest::newRow("version") << QStringList{"--version"} << QStringList{} << false << true << "";
    QTest::newRow("unknown") << QStringList{"--area", "x"} << QStringList{} << false << false << "opzione sconosciuta «--area»";
    QTest::newRow("after --") << QStringList{"--", "--help", "-"} << QStringList{"--help", "-"} << false << false << "";
}

void TestStudioLogic::options()
{
    QFETCH(QStringList, args);
    const StudioOptions o = StudioOptions::parse(args);
    QTEST(o.files, "files");
    QTEST(o.help, "help");
    QTEST(o.version, "version");
    QTEST(o.error, "error");
}

void TestStudioLogic::openingTwoSurveysOneBroken()
{
    Workspace w(analisitest::areaFolder());
    QVERIFY(w.setArea(analisitest::areaFolder()).isEmpty());
    const int good = w.open(survey_);
    const int bad = w.open(broken_);
    QCOMPARE(w.surveys().size(), size_t(2));
    // The same file again is the same survey, read anew.
    QCOMPARE(w.open(dir_.filePath(QStringLiteral("./rilievo.txt"))), good);
    QCOMPARE(w.surveys().size(), size_t(2));

    // The failure in fondalis-analisi's words: the file, the line, the field.
    const analisitest::Run indici = analisitest::analisi({QStringLiteral("indici"), broken_});
    QCOMPARE(indici.status, 1);
    const QString failure = w.survey(bad)->failure();
    QVERIFY2(failure.startsWith(QStringLiteral("rotto.txt: riga 9 («sp. 4»), stazione 1: ")), qPrintable(failure));
    QVERIFY2(indici.err.contains(failure.section(QStringLiteral(": "), 1)), qPrintable(indici.err));

    const SurveyRow row = w.row(good);
    QCOMPARE(row.name, QStringLiteral("rilievo.txt"));
    QCOMPARE(row.stations, QStringLiteral("15"));
    QCOMPARE(row.area, QStringLiteral("del programma"));
    QCOMPARE(w.row(bad).area, QStringLiteral("illeggibile"));
    QVERIFY(w.report(good) && !w.report(bad));

    // Read again after a change, the survey's analyses are made anew; until
    // then they are made once.
    const QString changing = file(QStringLiteral("cambia.txt"));
    QVERIFY(testdata::put(changing, testdata::contents(survey_)));
    const int id = w.open(changing);
    QCOMPARE(w.report(id)->stazioni.size(), size_t(15));
    const auto community = w.community(id);
    QVERIFY(community && w.community(id) == community);
    QVERIFY(community->comunita && community->sforzo);
    QCOMPARE(community->comunita->stazioni, 15);
    QVERIFY(testdata::put(changing, testdata::contents(other_)));
    w.reload(id);
    QCOMPARE(w.report(id)->stazioni.size(), size_t(22));
    QVERIFY(w.community(id) != community);
    QVERIFY(testdata::put(changing, testdata::contents(broken_)));
    w.reload(id);
    QVERIFY(!w.report(id) && !w.community(id) && !w.survey(id)->readable());
}

void TestStudioLogic::tabsSayWhyTheyAreEmpty()
{
    QTemporaryDir empty;
    Workspace w(empty.path());
    QVERIFY(!w.setArea(empty.path()).isEmpty());
    const TabNeeds area{true, false}, surveyOnly{false, false}, klass{true, true};
    QVERIFY(w.blockedReason(surveyOnly, {}).contains(QStringLiteral("Apri")));

    const int good = w.open(survey_);
    const int bad = w.open(broken_);
    // Without an area the survey's own figures still show.
    QVERIFY(w.blockedReason(surveyOnly, {good, {good}}).isEmpty());
    QVERIFY(w.blockedReason(area, {good, {good}}).contains(QStringLiteral("bati.bmp")));
    QVERIFY(w.blockedReason(surveyOnly, {bad, {bad}}).contains(QStringLiteral("riga 9")));
    QVERIFY(!w.blockedReason(surveyOnly, {std::nullopt, {}}).isEmpty());
    QVERIFY(!w.document({good}).documento);

    // The class: two readable surveys, and the area.
    QVERIFY(w.setArea(analisitest::areaFolder()).isEmpty());
    QVERIFY(w.blockedReason(area, {good, {good}}).isEmpty());
    QVERIFY(!w.blockedReason(klass, {good, {good, bad}}).isEmpty());
    const int other = w.open(other_);
    QVERIFY(w.blockedReason(klass, {good, {good, bad, other}}).isEmpty());
    QCOMPARE(w.readableSelection({good, {other, bad, good}}), (std::vector<int>{good, other}));
}

void TestStudioLogic::anotherAreasSurveyIsNamed()
{
    Workspace w(analisitest::areaFolder());
    QVERIFY(w.setArea(analisitest::areaFolder()).isEmpty());
    const int good = w.open(survey_);
    const int shifted = w.open(shifted_);
    QVERIFY(w.discordWarning(good).isEmpty());
    QCOMPARE(w.discordantStations(shifted), std::vector<int>{3});
    const QString warning = w.discordWarning(shifted);
    QVERIFY2(warning.contains(QStringLiteral("della stazione 3 non corrisponde alla batimetria")), qPrintable(warning));
    QCOMPARE(w.row(shifted).area, QStringLiteral("non corrisponde"));
    // It blocks nothing: the tabs that need the area still show it.
    QVERIFY(w.blockedReason({true, false}, {shifted, {shifted}}).isEmpty());
    QVERIFY(w.report(shifted));
}

void TestStudioLogic::indicesAreTheCommandsOwn()
{
    const analisitest::Run indici = analisitest::analisi({QStringLiteral("indici"), other_});
    QCOMPARE(indici.status, 0);
    // The command: one line per index, one column per station, then the survey.
    QStringList lines = indici.out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    const IndicesTable table(*rilievo::leggiFile(other_).rilievo);
    QCOMPARE(table.rows(), 22);
    QCOMPARE(lines.size(), IndicesTable::columns() - IndicesTable::kFirstIndex + 1);
    QStringList whole;
    for (int line = 1; line < lines.size(); ++line) {
        const QStringList cells = lines[line].split(QLatin1Char('\t'));
        const int column = IndicesTable::kFirstIndex + line - 1;
        QCOMPARE(IndicesTable::header(column), cells.front());
        for (int row = 0; row < table.rows(); ++row)
            QCOMPARE(table.text(row, column), cells[row + 1]);
        whole << QStringLiteral("%1 %2").arg(cells.front(), cells.last());
    }
    for (int row = 0; row < table.rows(); ++row)
        QCOMPARE(table.text(row, 0), lines.front().split(QLatin1Char('\t'))[row + 1]);
    QCOMPARE(table.summary(), QStringLiteral("Tutto il rilievo: ") + whole.join(QStringLiteral(" · ")));

    // Sorting follows the values, and an undefined index sorts below all.
    const Rilievo r = *rilievo::leggiFile(other_).rilievo;
    for (int row = 0; row < table.rows(); ++row) {
        const Stazione &s = r.stazioni[size_t(row)];
        QCOMPARE(QStringList({table.text(row, 1), table.text(row, 2), table.text(row, 3)}),
                 QStringList({QString::number(s.xm), QString::number(s.ym), QString::number(s.prof)}));
        QCOMPARE(table.value(row, 3), std::optional<double>(r.stazioni[size_t(row)].prof));
        QCOMPARE(table.value(row, IndicesTable::kFirstIndex).value_or(-1), double(r.stazioni[size_t(row)].totale()));
        const bool undefined = table.text(row, IndicesTable::kFirstIndex + 4) == QStringLiteral("n.d.");
        QCOMPARE(!table.value(row, IndicesTable::kFirstIndex + 4).has_value(), undefined);
    }
    QCOMPARE(table.rowOf(7), 6);
    QCOMPARE(table.rowOf(23), -1);
}

void TestStudioLogic::undefinedIndicesSortBelowEveryValue()
{
    // Stations 2 and 4 with one species only: J' is not defined there.
    QStringList lines = QString::fromUtf8(testdata::contents(survey_)).split(QStringLiteral("\r\n"));
    for (int line = 5; line < 17; ++line) {
        QStringList cells = lines[line].split(QLatin1Char('\t'));
        for (const int station : {2, 4})
            cells[station] = line == 5 ? QStringLiteral("9") : QStringLiteral("0");
        lines[line] = cells.join(QLatin1Char('\t'));
    }
    const rilievo::Lettura read = rilievo::leggi(lines.join(QStringLiteral("\r\n")).toUtf8());
    QVERIFY2(read.ok(), qPrintable(read.errore));
    IndicesModel model;
    model.setSurvey(*read.rilievo);
    QSortFilterProxyModel sorted;
    sorted.setSourceModel(&model);
    sorted.setSortRole(IndicesModel::kSortRole);
    const int j = IndicesTable::kFirstIndex + 4;
    QCOMPARE(model.headerData(j, Qt::Horizontal).toString(), QStringLiteral("J'"));
    sorted.sort(j, Qt::DescendingOrder);
    const int last = sorted.rowCount() - 1;
    QCOMPARE(sorted.index(last, j).data().toString(), QStringLiteral("n.d."));
    QCOMPARE(sorted.index(last - 1, j).data().toString(), QStringLiteral("n.d."));
    QVERIFY(sorted.index(last - 2, j).data().toString() != QStringLiteral("n.d."));
    for (int row = 1; row < last - 1; ++row)
        QVERIFY(sorted.index(row - 1, j).data().toDouble() >= sorted.index(row, j).data().toDouble());
    sorted.sort(j, Qt::AscendingOrder);
    QCOMPARE(sorted.index(0, j).data().toString(), QStringLiteral("n.d."));
    QCOMPARE(sorted.index(0, 0).data().toString(), QStringLiteral("2"));
}

void TestStudioLogic::copiedCellsAreTabSeparated()
{
    QStandardItemModel model(4, 3);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            model.setItem(r, c, new QStandardItem(QStringLiteral("%1%2").arg(QChar(u'a' + r)).arg(c)));
    // Given out of order, with a hole in the second row, nothing of row 1
    // nor of column 1.
    const QModelIndexList selected{model.index(3, 2), model.index(0, 0), model.index(2, 0), model.index(0, 2)};
    QCOMPARE(tablecopy::text(selected), QStringLiteral("a0\ta2\nc0\t\nd2\n").replace(QStringLiteral("d2\n"), QStringLiteral("\td2\n")));
    QCOMPARE(tablecopy::text({}), QString());
}

void TestStudioLogic::chartScaleKeepsTheWholeChart_data()
{
    QTest::addColumn<QSizeF>("widget");
    QTest::addColumn<QSizeF>("minimum");
    QTest::addColumn<double>("scale");
    const double m = 2 * chartscale::kMargin;
    QTest::newRow("exact") << QSizeF(500 + m, 300 + m) << QSizeF(500, 300) << 1.0;
    QTest::newRow("by the height") << QSizeF(3000, 1.5 * (300 + m)) << QSizeF(500, 300) << 1.5;
    QTest::newRow("by the width") << QSizeF(1.25 * (500 + m), 2000) << QSizeF(500, 300) << 1.25;
    QTest::newRow("small") << QSizeF(0.5 * (500 + m), 1000) << QSizeF(500, 300) << 0.5;
    QTest::newRow("no larger than reads well") << QSizeF(10000, 10000) << QSizeF(500, 300) << chartscale::kLargest;
}

void TestStudioLogic::chartScaleKeepsTheWholeChart()
{
    QFETCH(QSizeF, widget);
    QFETCH(QSizeF, minimum);
    QFETCH(double, scale);
    const double s = chartscale::scale(widget, minimum);
    QVERIFY2(qFuzzyCompare(s, scale), qPrintable(QString::number(s)));
    const QRectF box = chartscale::box(widget, s);
    QVERIFY(box.width() >= minimum.width() - 1e-9 && box.height() >= minimum.height() - 1e-9);
    QVERIFY(QRectF(QPointF(0, 0), widget / s).contains(box));
}

void TestStudioLogic::stationUnderThePointer()
{
    Rilievo r;
    Stazione a, b;
    a.numero = 1;
    a.xm = 1000; // column 100
    a.ym = 5110 - 2000; // row 200
    a.prof = 12;
    a.conteggi[0] = 3;
    a.conteggi[11] = 40;
    b = a;
    b.numero = 2;
    b.xm = 1040; // four pixels east
    r.stazioni = {a, b};
    const QRectF map(10, 20, 1024, 1024); // two screen pixels a map pixel
    const auto centre = [&](int column, int row) { return map.topLeft() + QPointF(column + 0.5, row + 0.5) * 2; };
    QCOMPARE(stationtips::at(r, map, centre(100, 200)), std::optional<size_t>(0));
    QCOMPARE(stationtips::at(r, map, centre(103, 200)), std::optional<size_t>(1)); // nearer to b
    QCOMPARE(stationtips::at(r, map, centre(97, 202)), std::optional<size_t>(0)); // inside a's marker and beside it
    QCOMPARE(stationtips::at(r, map, centre(96, 200)), std::nullopt);
    QCOMPARE(stationtips::at(r, map, centre(100, 204)), std::nullopt);
    QCOMPARE(stationtips::at(r, QRectF(), centre(100, 200)), std::nullopt);
    // Alone, a station is found three pixels from its own either way, not four.
    Rilievo alone;
    alone.stazioni = {a};
    for (const int dx : {-3, 3})
        QCOMPARE(stationtips::at(alone, map, centre(100 + dx, 200 + dx)), std::optional<size_t>(0));
    for (const int dx : {-4, 4})
        QCOMPARE(stationtips::at(alone, map, centre(100 + dx, 200)), std::nullopt);
    // On a small map the pointer gets four screen pixels of room: seven map
    // pixels where one is half a screen pixel.
    const QRectF small(0, 0, 256, 256);
    QCOMPARE(stationtips::at(r, small, QPointF(93.5, 200.5) / 2), std::optional<size_t>(0));
    QCOMPARE(stationtips::at(r, map, centre(93, 200)), std::nullopt);

    const QString tip = stationtips::text(a);
    QCOMPARE(tip.split(QLatin1Char('\n')).mid(0, 3),
             (QStringList{"Stazione 1", "Profondità: 12 m", "N = 43, S = 2"}));
    QVERIFY(tip.contains(QStringLiteral("1. Nephtys: 3")) && tip.contains(QStringLiteral("12. Capitella")));
    QVERIFY(!tip.contains(QStringLiteral("\n2. ")));
}

void TestStudioLogic::designIsTheCommandsOwn_data()
{
    QTest::addColumn<int>("tipo");
    QTest::addColumn<int>("stations");
    QTest::addColumn<QString>("strata");
    QTest::newRow("casuale") << int(disegno::Tipo::Casuale) << 17 << verita::kStratiPredefiniti;
    QTest::newRow("griglia") << int(disegno::Tipo::Griglia) << 30 << verita::kStratiPredefiniti;
    QTest::newRow("stratificato") << int(disegno::Tipo::Stratificato) << 12 << QStringLiteral("0,20,200");
}

void TestStudioLogic::designIsTheCommandsOwn()
{
    QFETCH(int, tipo);
    QFETCH(int, stations);
    QFETCH(QString, strata);
    Workspace w(analisitest::areaFolder());
    QVERIFY(w.setArea(analisitest::areaFolder()).isEmpty());
    const DesignRequest request{disegno::Tipo(tipo), stations, 12345678901ULL, strata};
    QString error;
    const std::optional<int> id = w.addDesign(request, &error);
    QVERIFY2(id, qPrintable(error));
    const analisitest::Run command = analisitest::analisi({QStringLiteral("disegno"), disegno::nomeTipo(request.tipo),
                                                         QString::number(stations), QStringLiteral("--seme"),
                                                         QStringLiteral("12345678901"), QStringLiteral("--strati"), strata});
    QCOMPARE(command.status, 0);
    QCOMPARE(w.tableText(*id), command.out);
    const OpenSurvey &s = *w.survey(*id);
    QVERIFY(s.unsaved() && s.readable() && s.displayName().endsWith(QStringLiteral("(non salvato)")));
    QCOMPARE(s.lettura.rilievo->numStazioni(), stations);
    QVERIFY(w.hasUnsaved());

    // Saved, it is the file: no longer marked, named by it, found by it.
    const QString saved = file(QStringLiteral("disegno-%1.txt").arg(tipo));
    QVERIFY(testdata::put(saved, w.tableText(*id).toUtf8()));
    w.markSaved(*id, saved);
    QVERIFY(!w.hasUnsaved() && w.idForPath(saved) == id);
    QCOMPARE(w.row(*id).name, QFileInfo(saved).fileName());
    QCOMPARE(w.tableText(*id), command.out);

    QVERIFY(!w.addDesign({disegno::Tipo::Stratificato, 10, 1, QStringLiteral("0,10,5")}, &error));
    QVERIFY(error.startsWith(QStringLiteral("Strati:")));
}

void TestStudioLogic::reportIsTheCommandsOwn()
{
    Workspace w(analisitest::areaFolder());
    QVERIFY(w.setArea(analisitest::areaFolder()).isEmpty());
    const int a = w.open(survey_), b = w.open(other_), bad = w.open(broken_);

    const auto compare = [&](const std::vector<int> &ids, const QStringList &command, const QString &name) {
        const documenti::Esito made = w.document(ids);
        QVERIFY2(made.documento, qPrintable(made.errore));
        const QString mine = file(name + QStringLiteral("-studio.pdf"));
        const QString theirs = file(name + QStringLiteral("-comando.pdf"));
        QVERIFY(made.documento->scrivi(mine, {}).isEmpty());
        const analisitest::Run run = analisitest::analisi(command + QStringList{QStringLiteral("-o"), theirs});
        QCOMPARE(run.status, 0);
        QVERIFY(analisitest::pdfPages(mine) >= 4);
        QCOMPARE(analisitest::pdfPages(mine), analisitest::pdfPages(theirs));
        QCOMPARE(analisitest::pdfText(mine), analisitest::pdfText(theirs));
    };
    compare({a}, {QStringLiteral("rapporto"), survey_}, QStringLiteral("rapporto"));
    compare({b, bad, a}, {QStringLiteral("classe"), other_, broken_, survey_}, QStringLiteral("classe"));
    QCOMPARE(QFileInfo(w.suggestedPdfPath({a})).fileName(), QStringLiteral("rilievo-rapporto.pdf"));
    QCOMPARE(QFileInfo(w.suggestedPdfPath({a, b})).fileName(), QStringLiteral("classe.pdf"));
    QVERIFY(w.document({bad}).errore.contains(QStringLiteral("riga 9")));
}

void TestStudioLogic::exportsAreTheCommandsOwn()
{
    Workspace w(analisitest::areaFolder());
    const int id = w.open(other_);
    for (const QString &format : {QStringLiteral("lungo"), QStringLiteral("trasposto")}) {
        const analisitest::Run run = analisitest::analisi({QStringLiteral("formato"), format, other_});
        QCOMPARE(run.status, 0);
        QCOMPARE(w.csv(id, format == QStringLiteral("lungo")), run.out);
    }
    // The program's own table, as the file was written.
    QCOMPARE(w.tableText(id).toUtf8(), testdata::contents(other_));
    QCOMPARE(QFileInfo(w.suggestedPath(id, QStringLiteral("-lungo.csv"))).fileName(), QStringLiteral("altro-lungo.csv"));
}

void TestStudioLogic::aFailedAreaKeepsTheLoadedOne()
{
    QTemporaryDir empty;
    Workspace w(analisitest::areaFolder());
    QVERIFY(w.setArea(analisitest::areaFolder()).isEmpty());
    const int id = w.open(survey_);
    const auto before = w.report(id);
    const QString error = w.setArea(empty.path());
    QVERIFY2(error.contains(QStringLiteral("bati.bmp")), qPrintable(error));
    QVERIFY(w.area());
    QCOMPARE(w.areaFolder(), analisitest::areaFolder());
    QCOMPARE(w.areaName(), QStringLiteral("del programma"));
    QCOMPARE(w.report(id), before); // nothing worked out again

    // A class's own area, made by the generator's rules elsewhere, is named
    // by its folder; the reports are made again for it.
    QTemporaryDir other;
    QVERIFY(testdata::writeMapSet(other.path()));
    QFile::copy(QDir(analisitest::areaFolder()).filePath(QStringLiteral("base.bmp")), other.filePath(QStringLiteral("base.bmp")));
    QVERIFY(w.setArea(other.path()).isEmpty());
    QCOMPARE(w.areaName(), QDir(other.path()).dirName());
    QVERIFY(w.report(id) && w.report(id) != before);
}

QTEST_MAIN(TestStudioLogic)
#include "tst_studiologic.moc"
