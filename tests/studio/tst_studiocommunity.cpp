// The studio's community tabs, offscreen: the groups, the stress, ANOSIM,
// the true assemblages and the accumulation curve as `comunita` and
// `sforzo` print them, drawn; too few stations said in their words.
#include "AnalisiRun.h"
#include "ChartTab.h"
#include "ChartView.h"
#include "CommunityTab.h"
#include "EffortTab.h"
#include "Stampa.h"
#include "StudioFixture.h"
#include "TestData.h"
#include "TrueCommunitiesTab.h"

#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>
#include <QTest>

namespace {

// The text a chart tab draws in its least box, read back from a PDF.
QString drawnWords(const ChartTab &tab, const QString &pdf)
{
    const QSizeF box = tab.minimumBox();
    {
        QPdfWriter writer(pdf);
        writer.setPageSize(QPageSize(box, QPageSize::Point));
        writer.setPageMargins({});
        writer.setResolution(stampa::kDpiPdf);
        QPainter p(&writer);
        p.scale(stampa::kDpiPdf / 72.0, stampa::kDpiPdf / 72.0);
        tab.draw(p, QRectF(QPointF(0, 0), box));
    }
    // As laid out, so that a table's rows stay rows.
    return analisitest::pdfText(pdf).simplified();
}

// The first capture of a pattern in a command's output.
QString captured(const QString &out, const QString &pattern)
{
    return QRegularExpression(pattern, QRegularExpression::MultilineOption).match(out).captured(1);
}

// The rows of a command's TAB-separated block after its heading line, up
// to the first line that is not a row.
QList<QStringList> block(const QString &out, const QString &heading)
{
    QList<QStringList> rows;
    const QStringList lines = out.split(QRegularExpression(QStringLiteral("\\r?\\n")));
    for (qsizetype k = lines.indexOf(heading) + 1; k > 0 && k < lines.size() && lines[k].contains(QLatin1Char('\t')); ++k)
        rows << lines[k].split(QLatin1Char('\t'));
    return rows;
}

} // namespace

class TestStudioCommunity : public StudioFixture
{
    Q_OBJECT

private slots:
    void initTestCase() { makeSurveys(); }
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void communityTabsShowTheCommandsFigures();
    void effortTabShowsTheCommandsFigures();
    void tooFewStationsSayWhyAsTheCommands();
};

void TestStudioCommunity::communityTabsShowTheCommandsFigures()
{
    window_->openFiles({other_});
    const analisitest::Run run = analisitest::analisi({QStringLiteral("comunita"), other_});
    QCOMPARE(run.status, 0);
    auto *tab = shownTab<CommunityTab>(QStringLiteral("Comunità"));
    QVERIFY(tab && tab->shown() && tab->hasChart());
    const rapporto::Comunita &c = *tab->shown();

    // Each station in the command's group.
    const QList<QStringList> groups = block(run.out, QStringLiteral("gruppo\tstazioni"));
    QCOMPARE(groups.size(), c.numeroGruppi);
    int placed = 0;
    for (const QStringList &g : groups)
        for (const QString &station : g[1].split(QLatin1Char(' '))) {
            const auto at = std::find(c.dendrogramma.etichette.begin(), c.dendrogramma.etichette.end(), station);
            QVERIFY(at != c.dendrogramma.etichette.end());
            QCOMPARE(c.dendrogramma.gruppi[at - c.dendrogramma.etichette.begin()], g[0].toInt());
            ++placed;
        }
    QCOMPARE(placed, int(c.dendrogramma.etichette.size()));

    // The stress, its reading, the cophenetic correlation and ANOSIM's R as
    // the tab draws them.
    const QString words = drawnWords(*tab, file(QStringLiteral("comunita.pdf")));
    const QString stress = captured(run.out, QStringLiteral("stress ([0-9.]+), "));
    const QString reading = captured(run.out, QStringLiteral("stress [0-9.]+, ([a-z ]+);"));
    QVERIFY(!stress.isEmpty() && !reading.isEmpty());
    QVERIFY2(words.contains(QStringLiteral("Stress %1: %2 secondo Clarke").arg(stress, reading)), qPrintable(words));
    QVERIFY(words.contains(QStringLiteral("%1 gruppi; correlazione cofenetica %2")
                               .arg(groups.size())
                               .arg(captured(run.out, QStringLiteral("^Correlazione cofenetica: ([0-9.]+)")))));
    const QString r = captured(run.out, QStringLiteral("(R globale [0-9.-]+, p = [0-9.]+)"));
    QVERIFY(!r.isEmpty() && words.contains(r));
    QVERIFY(words.contains(QStringLiteral("SIMPER e ANOSIM")) && words.contains(QStringLiteral("similarità media")));
    QCOMPARE(noteOf(tab), QStringLiteral("22 stazioni con organismi, confrontate con la similarità di Bray-Curtis; "
                                         "trasformazione: radice quadrata; taglio al 40.0 % di similarità."));

    // The true assemblages: the command's table and adjusted Rand index.
    auto *truth = shownTab<TrueCommunitiesTab>(QStringLiteral("Comunità vere"));
    QVERIFY(truth && truth->shown());
    const QString assemblages = captured(run.out, QStringLiteral("^(gruppo\tA.*)$"));
    const QString drawn = drawnWords(*truth, file(QStringLiteral("vere.pdf")));
    const QList<QStringList> table = block(run.out, assemblages);
    QCOMPARE(table.size(), int(truth->shown()->tabella.size()));
    for (const QStringList &row : table)
        QVERIFY2(drawn.contains(row.join(QLatin1Char(' '))), qPrintable(row.join(QLatin1Char(' ')) + drawn));
    const QString rand = captured(run.out, QStringLiteral("assemblaggi veri: ([0-9.-]+)$"));
    QVERIFY(drawn.contains(QStringLiteral("Indice di Rand corretto %1:").arg(rand)));
    QVERIFY(window_->copyChartAction->isEnabled());
}

void TestStudioCommunity::effortTabShowsTheCommandsFigures()
{
    window_->openFiles({survey_});
    const analisitest::Run run = analisitest::analisi({QStringLiteral("sforzo"), survey_});
    QCOMPARE(run.status, 0);
    auto *tab = shownTab<EffortTab>(QStringLiteral("Sforzo"));
    QVERIFY(tab && tab->shown());
    const rapporto::Sforzo &s = *tab->shown();
    const QList<QStringList> curve = block(run.out, QStringLiteral("stazioni\tS attese\tDS\tS attese nel mare vero"));
    QCOMPARE(curve.size(), int(s.curva.size()));
    for (int n = 0; n < curve.size(); ++n) {
        QCOMPARE(QString::number(s.curva[n].specie, 'f', 2), curve[n][1]);
        QCOMPARE(QString::number(s.curva[n].deviazione, 'f', 2), curve[n][2]);
        QCOMPARE(QString::number(s.curvaVera[n], 'f', 2), curve[n][3]);
    }

    // The estimators with their errors, the true richness and the species
    // expected at random, as the tab draws them.
    const QString words = drawnWords(*tab, file(QStringLiteral("sforzo.pdf")));
    const QList<QStringList> estimates = block(run.out, QStringLiteral("stimatore\tS stimate\tES"));
    QCOMPARE(estimates.size(), 3);
    for (const QStringList &e : estimates) {
        const QString figures = e[2] == QStringLiteral("n.d.") ? QStringLiteral("%1 (senza errore standard)").arg(e[1])
                                                              : QStringLiteral("%1 ± %2").arg(e[1], e[2]);
        QVERIFY2(words.contains(QStringLiteral(": %1").arg(figures)), qPrintable(e.join(QLatin1Char(' ')) + words));
    }
    const QString richness = captured(run.out, QStringLiteral("^Specie presenti nel mare rilevabile: (\\d+)"));
    QVERIFY(words.contains(QStringLiteral("specie presenti nel mare: %1").arg(richness)));
    const QString expected = captured(run.out, QStringLiteral("^S attese con \\d+ stazioni a caso nel mare: ([0-9.]+)"));
    QVERIFY(words.contains(QStringLiteral("messe a caso ne troverebbero in media %1.").arg(expected)));
}

void TestStudioCommunity::tooFewStationsSayWhyAsTheCommands()
{
    // Three stations, two with organisms: no communities, but a curve.
    QByteArray table("staz.\t1\t2\t3\r\nx (m)\t2000\t2500\t4000\r\ny (m)\t2000\t2000\t1000\r\nprof. (m)\t40\t42\t90\r\n\r\n");
    for (int sp = 1; sp <= 12; ++sp)
        table += QStringLiteral("sp. %1\t%2\t%3\t0\r\n").arg(sp).arg(sp == 1 ? 5 : 0).arg(sp == 2 ? 3 : 0).toUtf8();
    const QString two = file(QStringLiteral("due.txt"));
    QVERIFY(testdata::put(two, table));
    const analisitest::Run comunita = analisitest::analisi({QStringLiteral("comunita"), two});
    QCOMPARE(comunita.status, 1);
    const QString why = comunita.err.section(two + QStringLiteral(": "), 1).trimmed();
    QVERIFY(why.startsWith(QStringLiteral("servono almeno 3 stazioni con organismi")));

    window_->openFiles({two});
    for (const QString &name : {QStringLiteral("Comunità"), QStringLiteral("Comunità vere")}) {
        auto *tab = shownTab<ChartTab>(name);
        QVERIFY2(tab && tab->blockedText().isEmpty(), qPrintable(name));
        QCOMPARE(noteOf(tab), QStringLiteral("Le comunità non si possono confrontare: %1.").arg(why));
        QVERIFY(!tab->hasChart() && !tab->view()->isVisible() && tab->chartImage().isNull());
        QVERIFY(!window_->copyChartAction->isEnabled());
    }
    auto *effort = shownTab<EffortTab>(QStringLiteral("Sforzo"));
    QVERIFY(effort->hasChart() && effort->view()->isVisible() && window_->copyChartAction->isEnabled());

    // No organism at all: not even a curve, in sforzo's words.
    QByteArray none = table;
    none.replace("\t5\t0\t0", "\t0\t0\t0").replace("\t0\t3\t0", "\t0\t0\t0");
    QVERIFY(replaceFile(two, none));
    const analisitest::Run sforzo = analisitest::analisi({QStringLiteral("sforzo"), two});
    QCOMPARE(sforzo.status, 1);
    const QString nothing = sforzo.err.section(two + QStringLiteral(": "), 1).trimmed();
    QVERIFY(nothing.startsWith(QStringLiteral("nessuna stazione del rilievo ha organismi")));
    QTRY_COMPARE_WITH_TIMEOUT(noteOf(effort), QStringLiteral("Non c'è una curva di accumulo: %1.").arg(nothing), 5000);
    QVERIFY(!effort->hasChart() && !window_->copyChartAction->isEnabled());
}

QTEST_MAIN(TestStudioCommunity)
#include "tst_studiocommunity.moc"
