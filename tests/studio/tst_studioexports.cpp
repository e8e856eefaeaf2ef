// The studio's documents, offscreen, through the dialogs a user would
// answer: a new design saved as the table, the report saved and printed,
// the chart copied, the CSV exported, each the commands' own.
#include "AnalisiRun.h"
#include "ChartTab.h"
#include "ChartView.h"
#include "DesignDialog.h"
#include "ExportCommands.h"
#include "StudioFixture.h"
#include "SurveyList.h"
#include "SurveyWatcher.h"
#include "TestData.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QSpinBox>
#include <QTest>

class TestStudioExports : public StudioFixture
{
    Q_OBJECT

private slots:
    void initTestCase() { makeSurveys(); }
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void newDesignIsTheCommandsAndSavesAsTheTable();
    void closingAsksForUnsavedDesigns();
    void savedReportIsTheCommandsOwn();
    void printsThroughTheDialog();
    void copiesTheChartAndExportsCsv();
};

void TestStudioExports::newDesignIsTheCommandsAndSavesAsTheTable()
{
    trigger(window_->designAction, [](QWidget *d) {
        auto *dialog = qobject_cast<DesignDialog *>(d);
        QVERIFY(dialog);
        dialog->design()->setCurrentIndex(dialog->design()->findText(QStringLiteral("stratificato")));
        dialog->stations()->setValue(25);
        dialog->seed()->setText(QStringLiteral("77"));
        dialog->strata()->setText(QStringLiteral("0,15,200"));
        dialog->accept();
    });
    QTreeWidget *list = window_->surveyList();
    QCOMPARE(list->topLevelItemCount(), 1);
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("stratificato 25, seme 77, strati 0,15,200 (non salvato)"));
    const analisitest::Run disegno = analisitest::analisi({QStringLiteral("disegno"), QStringLiteral("stratificato"),
                                                         QStringLiteral("25"), QStringLiteral("--seme"), QStringLiteral("77"),
                                                         QStringLiteral("--strati"), QStringLiteral("0,15,200")});
    QCOMPARE(disegno.status, 0);
    QCOMPARE(window_->workspace().tableText(current()), disegno.out);
    QVERIFY(tabNamed(QStringLiteral("Mappa"))->blockedText().isEmpty());

    // "Salva dati…" writes the table; the survey is now that file.
    const QString saved = file(QStringLiteral("disegno-salvato.txt"));
    QString offered;
    trigger(window_->saveDataAction, chooseFile(saved, &offered));
    QCOMPARE(offered, QStringLiteral("stratificato-25-seme-77-strati-0_15_200.txt"));
    QCOMPARE(testdata::contents(saved), disegno.out.toUtf8());
    QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("disegno-salvato.txt"));
    QVERIFY(!window_->workspace().hasUnsaved());
    QVERIFY(window_->watcher()->watched().contains(QFileInfo(saved).absoluteFilePath()));

    // A bad strata list is refused in the dialog, which stays open.
    trigger(window_->designAction, [](QWidget *d) {
        auto *dialog = qobject_cast<DesignDialog *>(d);
        dialog->design()->setCurrentIndex(dialog->design()->findText(QStringLiteral("stratificato")));
        dialog->strata()->setText(QStringLiteral("0,30,10"));
        dialog->accept();
        QVERIFY(dialog->isVisible() && dialog->problem().startsWith(QStringLiteral("Strati:")));
        dialog->reject();
    });
    QCOMPARE(list->topLevelItemCount(), 1);
}

void TestStudioExports::closingAsksForUnsavedDesigns()
{
    QVERIFY(window_->addDesign({disegno::Tipo::Casuale, 5, 3, verita::kStratiPredefiniti}));
    const auto answer = [](const QString &button) {
        return [button](QWidget *d) {
            auto *box = qobject_cast<QMessageBox *>(d);
            QVERIFY(box && box->text().contains(QStringLiteral("non salvati")));
            for (QAbstractButton *b : box->buttons())
                if (b->text().remove(QLatin1Char('&')) == button)
                    b->click();
        };
    };
    answerer_->expect(answer(QStringLiteral("Annulla")));
    QVERIFY(!window_->close());
    QVERIFY(window_->isVisible());
    answerer_->expect(answer(QStringLiteral("Esci senza salvare")));
    QVERIFY(window_->close());
}

void TestStudioExports::savedReportIsTheCommandsOwn()
{
    window_->openFiles({survey_});
    const QString pdf = file(QStringLiteral("dal-studio.pdf"));
    QString offered;
    trigger(window_->pdfAction, chooseFile(pdf, &offered));
    QCOMPARE(offered, QStringLiteral("rilievo-rapporto.pdf"));
    const QString command = file(QStringLiteral("dal-comando.pdf"));
    QCOMPARE(analisitest::analisi({QStringLiteral("rapporto"), survey_, QStringLiteral("-o"), command}).status, 0);
    QVERIFY(analisitest::pdfPages(pdf) >= 4);
    QCOMPARE(analisitest::pdfPages(pdf), analisitest::pdfPages(command));
    QCOMPARE(analisitest::pdfText(pdf), analisitest::pdfText(command));

    // Two selected: the class's report.
    window_->openFiles({other_, survey_});
    QVERIFY(window_->selection().selected.size() == 2);
    const QString klass = file(QStringLiteral("classe-studio.pdf"));
    trigger(window_->pdfAction, chooseFile(klass, &offered));
    QCOMPARE(offered, QStringLiteral("classe.pdf"));
    const QString classCommand = file(QStringLiteral("classe-comando.pdf"));
    QCOMPARE(analisitest::analisi({QStringLiteral("classe"), survey_, other_, QStringLiteral("-o"), classCommand}).status, 0);
    QCOMPARE(analisitest::pdfPages(klass), analisitest::pdfPages(classCommand));
    QCOMPARE(analisitest::pdfText(klass), analisitest::pdfText(classCommand));
}

void TestStudioExports::printsThroughTheDialog()
{
    window_->openFiles({survey_});
    QPrinter &printer = window_->exports().printer();
    const QString printed = file(QStringLiteral("stampato.pdf"));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    trigger(window_->printAction, [](QWidget *d) {
        QVERIFY(qobject_cast<QPrintDialog *>(d));
        static_cast<QDialog *>(d)->accept();
    });
    QTRY_VERIFY(QFileInfo(printed).size() > 0);
    const QString command = file(QStringLiteral("stampa-comando.pdf"));
    QCOMPARE(analisitest::analisi({QStringLiteral("rapporto"), survey_, QStringLiteral("-o"), command}).status, 0);
    QCOMPARE(analisitest::pdfPages(printed), analisitest::pdfPages(command));
    // The printer's finer grid moves letters by a fraction of a point: the
    // same words, in the same order.
    QCOMPARE(analisitest::pdfWords(printed), analisitest::pdfWords(command));
}

void TestStudioExports::copiesTheChartAndExportsCsv()
{
    window_->openFiles({other_});
    auto *rank = qobject_cast<ChartTab *>(tabNamed(QStringLiteral("Rango e abbondanza")));
    window_->tabs()->setCurrentWidget(rank);
    QVERIFY(window_->copyChartAction->isEnabled());
    window_->copyChartAction->trigger();
    const QImage copied = QApplication::clipboard()->image();
    QCOMPARE(copied.size(), rank->view()->size() * rank->view()->devicePixelRatio());
    QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), rank->view()->image(rank->view()->devicePixelRatio()).convertToFormat(QImage::Format_RGB32));
    window_->tabs()->setCurrentWidget(tabNamed(QStringLiteral("Indici")));
    QVERIFY(!window_->copyChartAction->isEnabled());

    const QString csv = file(QStringLiteral("altro.csv"));
    QString offered;
    trigger(window_->csvAction, chooseFile(csv, &offered, QStringLiteral("CSV trasposto, una riga per stazione (*.csv)")));
    QCOMPARE(offered, QStringLiteral("altro.csv"));
    const analisitest::Run formato = analisitest::analisi({QStringLiteral("formato"), QStringLiteral("trasposto"), other_});
    QCOMPARE(testdata::contents(csv), formato.out.toUtf8());
    const QString longCsv = file(QStringLiteral("altro-lungo"));
    trigger(window_->csvAction, chooseFile(longCsv));
    QCOMPARE(testdata::contents(longCsv + QStringLiteral(".csv")),
             analisitest::analisi({QStringLiteral("formato"), QStringLiteral("lungo"), other_}).out.toUtf8());
}

QTEST_MAIN(TestStudioExports)
#include "tst_studioexports.moc"
