// The studio's window, offscreen: what a user opens, sees, clicks, copies,
// saves and prints, through the dialogs a user would answer.
#include "ChartTab.h"
#include "ChartView.h"
#include "CommunityTab.h"
#include "DesignDialog.h"
#include "DialogAnswerer.h"
#include "EffortTab.h"
#include "ExportCommands.h"
#include "IndicesModel.h"
#include "IndicesTab.h"
#include "MappaStazioni.h"
#include "MessageBar.h"
#include "Stampa.h"
#include "StudioTab.h"
#include "StudioTestData.h"
#include "StudioWindow.h"
#include "SurveyWatcher.h"
#include "TestData.h"
#include "TrueCommunitiesTab.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSortFilterProxyModel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include "SurveyList.h"

#include <memory>

namespace {

// Answers a file dialog with a path, choosing a filter first when given.
DialogAnswerer::Answer chooseFile(const QString &path, QString *offered = nullptr, const QString &filter = {})
{
    return [=](QWidget *d) {
        auto *dialog = qobject_cast<QFileDialog *>(d);
        auto *name = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        QVERIFY(name);
        if (offered)
            *offered = name->text();
        if (!filter.isEmpty())
            dialog->selectNameFilter(filter);
        // As the selection the dialog waits to show once it has read the
        // folder, and as the text a user would type.
        dialog->selectFile(path);
        name->setText(path);
        // Accepted from the event loop: a question it asks is answered too.
        QMetaObject::invokeMethod(dialog, [dialog] { static_cast<QDialog *>(dialog)->accept(); }, Qt::QueuedConnection);
    };
}

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
    return studiotest::pdfText(pdf).simplified();
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

bool replaceFile(const QString &path, const QByteArray &bytes)
{
    // As Fondalis's "Salva dati" and most editors save: a new file renamed
    // over the old one.
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

class TestStudioWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void openingTwoSurveysOneBroken();
    void indicesShowTheCommandsFiguresAndCopy();
    void aStationOnTheMapIsPickedInIndici();
    void aFileChangedOnDiskIsReadAgain();
    void droppedFilesOpen();
    void newDesignIsTheCommandsAndSavesAsTheTable();
    void closingAsksForUnsavedDesigns();
    void savedReportIsTheCommandsOwn();
    void printsThroughTheDialog();
    void copiesTheChartAndExportsCsv();
    void withoutAnAreaTheSurveyStillShows();
    void anotherAreasSurveyIsWarnedNotBlocked();
    void communityTabsShowTheCommandsFigures();
    void effortTabShowsTheCommandsFigures();
    void tooFewStationsSayWhyAsTheCommands();
    void everyControlIsNamedAndReachable();

private:
    QString file(const QString &name) const { return dir_.filePath(name); }
    StudioTab *tabNamed(const QString &name) const;
    template <typename Tab>
    Tab *shownTab(const QString &name);
    QString noteOf(const StudioTab *tab) const;
    void trigger(QAction *action, DialogAnswerer::Answer answer);
    int current() const { return *window_->selection().current; }

    QTemporaryDir dir_;
    QString survey_, other_, broken_, shifted_;
    std::unique_ptr<StudioWindow> window_;
    std::unique_ptr<DialogAnswerer> answerer_;
};

void TestStudioWindow::initTestCase()
{
    survey_ = studiotest::design(dir_.path(), QStringLiteral("rilievo.txt"), 15, 4);
    other_ = studiotest::design(dir_.path(), QStringLiteral("altro.txt"), 22, 9);
    QVERIFY(!survey_.isEmpty() && !other_.isEmpty());
    broken_ = studiotest::broken(survey_, file(QStringLiteral("rotto.txt")));
    shifted_ = studiotest::withDepthMoved(survey_, file(QStringLiteral("spostato.txt")), 3, 7);
    QVERIFY(!broken_.isEmpty() && !shifted_.isEmpty());
}

void TestStudioWindow::init()
{
    window_ = std::make_unique<StudioWindow>(studiotest::areaFolder());
    window_->resize(1200, 800);
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    answerer_ = std::make_unique<DialogAnswerer>();
}

void TestStudioWindow::cleanup()
{
    QCOMPARE(answerer_->unexpected().join(QLatin1Char('|')), QString());
    QVERIFY(answerer_->allAnswered());
    answerer_.reset();
    // Unsaved designs would ask before the window goes.
    window_->hide();
    window_.reset();
    QApplication::clipboard()->clear();
}

StudioTab *TestStudioWindow::tabNamed(const QString &name) const
{
    for (StudioTab *tab : window_->tabList())
        if (tab->title().remove(QLatin1Char('&')) == name)
            return tab;
    return nullptr;
}

template <typename Tab>
Tab *TestStudioWindow::shownTab(const QString &name)
{
    auto *tab = qobject_cast<Tab *>(tabNamed(name));
    if (tab)
        window_->tabs()->setCurrentWidget(tab);
    return tab;
}

QString TestStudioWindow::noteOf(const StudioTab *tab) const
{
    for (const QLabel *label : tab->findChildren<QLabel *>())
        if (label->accessibleName() == QStringLiteral("Note sul grafico"))
            return label->isVisible() ? label->text() : QString();
    return QStringLiteral("<no note>");
}

void TestStudioWindow::trigger(QAction *action, DialogAnswerer::Answer answer)
{
    answerer_->expect(std::move(answer));
    QVERIFY(action->isEnabled());
    action->trigger();
    QTRY_VERIFY_WITH_TIMEOUT(answerer_->allAnswered(), 10000);
}

void TestStudioWindow::openingTwoSurveysOneBroken()
{
    window_->openFiles({survey_, broken_});
    QTreeWidget *list = window_->surveyList();
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("15"));
    QCOMPARE(list->topLevelItem(1)->text(2), QStringLiteral("illeggibile"));
    // The bar names the file and the line, as fondalis-analisi does.
    QVERIFY(window_->errorBar()->isVisible());
    QVERIFY2(window_->errorBar()->text().startsWith(QStringLiteral("rotto.txt: riga 9 («sp. 4»), stazione 1: «x")),
             qPrintable(window_->errorBar()->text()));
    // The readable one is shown, and every tab of one survey works.
    QCOMPARE(window_->workspace().survey(current())->title, QStringLiteral("rilievo.txt"));
    for (StudioTab *tab : window_->tabList())
        if (!tab->needs().severalSurveys)
            QVERIFY2(tab->blockedText().isEmpty(), qPrintable(tab->title()));
    // Two selected: the class tab is there, naming the file it left out.
    const int classIndex = window_->tabs()->indexOf(tabNamed(QStringLiteral("Classe")));
    QVERIFY(window_->tabs()->isTabVisible(classIndex));
    QVERIFY(!tabNamed(QStringLiteral("Classe"))->blockedText().isEmpty()); // one readable survey is no class

    // The broken one, chosen, says why in every tab; the other still works.
    const int bad = list->topLevelItem(1)->data(0, Qt::UserRole).toInt();
    window_->selectSurveys({bad}, bad);
    QVERIFY(!window_->tabs()->isTabVisible(classIndex));
    QVERIFY(tabNamed(QStringLiteral("Indici"))->blockedText().contains(QStringLiteral("riga 9")));
    QVERIFY(!window_->saveDataAction->isEnabled() && !window_->pdfAction->isEnabled());
    window_->errorBar()->findChild<QAbstractButton *>()->click();
    QVERIFY(!window_->errorBar()->isVisible());
    window_->openFiles({other_});
    QVERIFY(!window_->errorBar()->isVisible()); // closed messages stay closed
    QVERIFY(window_->pdfAction->isEnabled());
}

void TestStudioWindow::indicesShowTheCommandsFiguresAndCopy()
{
    window_->openFiles({other_});
    auto *tab = qobject_cast<IndicesTab *>(tabNamed(QStringLiteral("Indici")));
    QVERIFY(tab);
    window_->tabs()->setCurrentWidget(tab);
    QTableView *view = tab->view();
    QAbstractItemModel *shown = view->model();
    QCOMPARE(shown->rowCount(), 22);

    // Every figure as indici prints it: its lines are the table's columns.
    const studiotest::Run indici = studiotest::analisi({QStringLiteral("indici"), other_});
    const QStringList lines = indici.out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    for (int line = 0; line < lines.size(); ++line) {
        const QStringList cells = lines[line].split(QLatin1Char('\t'));
        const int column = line == 0 ? 0 : IndicesTable::kFirstIndex + line - 1;
        for (int row = 0; row < shown->rowCount(); ++row)
            QCOMPARE(shown->index(row, column).data().toString(), cells[row + 1]);
    }

    // Sorted by N, largest first, by a click on its header.
    const int n = IndicesTable::kFirstIndex;
    const QHeaderView *header = view->horizontalHeader();
    const QPoint onN(header->sectionViewportPosition(n) + header->sectionSize(n) / 2, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onN);
    if (header->sortIndicatorOrder() != Qt::DescendingOrder)
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, onN);
    QCOMPARE(header->sortIndicatorSection(), n);
    for (int row = 1; row < shown->rowCount(); ++row)
        QVERIFY(shown->index(row - 1, n).data().toInt() >= shown->index(row, n).data().toInt());

    // Two rows, then Ctrl+C: the cells as shown, TAB between them.
    view->setFocus();
    view->selectionModel()->select(QItemSelection(shown->index(0, 0), shown->index(0, 5)), QItemSelectionModel::ClearAndSelect);
    view->selectionModel()->select(QItemSelection(shown->index(2, 0), shown->index(2, 5)), QItemSelectionModel::Select);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QString expected;
    for (const int row : {0, 2}) {
        QStringList cells;
        for (int c = 0; c <= 5; ++c)
            cells << shown->index(row, c).data().toString();
        expected += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    QCOMPARE(QApplication::clipboard()->text(), expected);
    QVERIFY(expected.count(QLatin1Char('\t')) == 10);
}

void TestStudioWindow::aStationOnTheMapIsPickedInIndici()
{
    window_->openFiles({other_});
    auto *map = qobject_cast<ChartTab *>(tabNamed(QStringLiteral("Mappa")));
    QVERIFY(map);
    window_->tabs()->setCurrentWidget(map);
    ChartView *view = map->view();
    QTRY_VERIFY(view->isVisible() && view->width() > 300);
    // Where station 7's marker is drawn, in the widget's pixels.
    const Stazione s = window_->workspace().survey(current())->lettura.rilievo->stazioni[6];
    const QRectF mapRect = grafici::riquadroMappa(view->chartBox());
    const QPointF inChart = mapRect.topLeft() + QPointF(s.colonna() + 0.5, s.riga() + 0.5) * mapRect.width() / 512;
    const QPoint onWidget = view->fromChart(inChart).toPoint();
    QCOMPARE(view->toChart(view->fromChart(inChart)), inChart);

    QHelpEvent help(QEvent::ToolTip, onWidget, view->mapToGlobal(onWidget));
    QApplication::sendEvent(view, &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY2(QToolTip::text().startsWith(QStringLiteral("Stazione 7\nProfondità: %1 m").arg(s.prof)), qPrintable(QToolTip::text()));
    QVERIFY(QToolTip::text().contains(QStringLiteral("N = %1, S = %2").arg(s.totale()).arg(s.specie())));
    QToolTip::hideText();

    // The table sorted by N: its rows are not in the stations' order.
    auto *indici = qobject_cast<IndicesTab *>(tabNamed(QStringLiteral("Indici")));
    indici->view()->sortByColumn(IndicesTable::kFirstIndex, Qt::DescendingOrder);
    QVERIFY(indici->view()->model()->index(6, 0).data().toString() != QStringLiteral("7"));
    QTest::mouseClick(view, Qt::LeftButton, {}, onWidget);
    QCOMPARE(window_->tabs()->currentWidget(), indici);
    const QModelIndexList rows = indici->view()->selectionModel()->selectedRows();
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.front().data().toString(), QStringLiteral("7"));
    // A click on open water picks nothing.
    window_->tabs()->setCurrentWidget(map);
    QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(window_->tabs()->currentWidget(), map);
}

void TestStudioWindow::aFileChangedOnDiskIsReadAgain()
{
    const QString path = file(QStringLiteral("cambia.txt"));
    QVERIFY(QFile::copy(survey_, path));
    window_->openFiles({path});
    const auto stations = [this] { return window_->surveyList()->topLevelItem(0)->text(1); };
    QCOMPARE(stations(), QStringLiteral("15"));
    QVERIFY(window_->watcher()->watched().contains(QFileInfo(path).absoluteFilePath()));

    // Saved again with more stations, then broken, then mended: each save
    // is read once more, though each replaced the file.
    QVERIFY(replaceFile(path, testdata::contents(other_)));
    QTRY_COMPARE_WITH_TIMEOUT(stations(), QStringLiteral("22"), 5000);
    window_->tabs()->setCurrentWidget(tabNamed(QStringLiteral("Indici")));
    QCOMPARE(qobject_cast<IndicesTab *>(tabNamed(QStringLiteral("Indici")))->model()->rowCount(), 22);
    QVERIFY(replaceFile(path, testdata::contents(broken_)));
    QTRY_VERIFY_WITH_TIMEOUT(window_->errorBar()->text().contains(QStringLiteral("cambia.txt: riga 9")), 5000);
    QVERIFY(replaceFile(path, testdata::contents(survey_)));
    QTRY_COMPARE_WITH_TIMEOUT(stations(), QStringLiteral("15"), 5000);
    QVERIFY(!window_->errorBar()->isVisible());
    // Gone and back again.
    QVERIFY(QFile::remove(path));
    QTRY_COMPARE_WITH_TIMEOUT(window_->surveyList()->topLevelItem(0)->text(2), QStringLiteral("illeggibile"), 5000);
    QVERIFY(QFile::copy(other_, path));
    QTRY_COMPARE_WITH_TIMEOUT(stations(), QStringLiteral("22"), 5000);
}

void TestStudioWindow::droppedFilesOpen()
{
    QMimeData local;
    local.setUrls({QUrl::fromLocalFile(survey_), QUrl::fromLocalFile(other_)});
    QDragEnterEvent enter(QPoint(200, 200), Qt::CopyAction, &local, Qt::LeftButton, {});
    QApplication::sendEvent(window_.get(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(200, 200), Qt::CopyAction, &local, Qt::LeftButton, {});
    QApplication::sendEvent(window_.get(), &drop);
    QVERIFY(drop.isAccepted());
    QCOMPARE(window_->surveyList()->topLevelItemCount(), 2);

    // Anything but local files is refused.
    QMimeData remote;
    remote.setUrls({QUrl::fromLocalFile(broken_), QUrl(QStringLiteral("https://fondalis.it/rilievo.txt"))});
    QDragEnterEvent refused(QPoint(200, 200), Qt::CopyAction, &remote, Qt::LeftButton, {});
    refused.setAccepted(false);
    QApplication::sendEvent(window_.get(), &refused);
    QVERIFY(!refused.isAccepted());
    QDropEvent nothing(QPointF(200, 200), Qt::CopyAction, &remote, Qt::LeftButton, {});
    QApplication::sendEvent(window_.get(), &nothing);
    QCOMPARE(window_->surveyList()->topLevelItemCount(), 2);
}

void TestStudioWindow::newDesignIsTheCommandsAndSavesAsTheTable()
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
    const studiotest::Run disegno = studiotest::analisi({QStringLiteral("disegno"), QStringLiteral("stratificato"),
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

void TestStudioWindow::closingAsksForUnsavedDesigns()
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

void TestStudioWindow::savedReportIsTheCommandsOwn()
{
    window_->openFiles({survey_});
    const QString pdf = file(QStringLiteral("dal-studio.pdf"));
    QString offered;
    trigger(window_->pdfAction, chooseFile(pdf, &offered));
    QCOMPARE(offered, QStringLiteral("rilievo-rapporto.pdf"));
    const QString command = file(QStringLiteral("dal-comando.pdf"));
    QCOMPARE(studiotest::analisi({QStringLiteral("rapporto"), survey_, QStringLiteral("-o"), command}).status, 0);
    QVERIFY(studiotest::pdfPages(pdf) >= 4);
    QCOMPARE(studiotest::pdfPages(pdf), studiotest::pdfPages(command));
    QCOMPARE(studiotest::pdfText(pdf), studiotest::pdfText(command));

    // Two selected: the class's report.
    window_->openFiles({other_, survey_});
    QVERIFY(window_->selection().selected.size() == 2);
    const QString klass = file(QStringLiteral("classe-studio.pdf"));
    trigger(window_->pdfAction, chooseFile(klass, &offered));
    QCOMPARE(offered, QStringLiteral("classe.pdf"));
    const QString classCommand = file(QStringLiteral("classe-comando.pdf"));
    QCOMPARE(studiotest::analisi({QStringLiteral("classe"), survey_, other_, QStringLiteral("-o"), classCommand}).status, 0);
    QCOMPARE(studiotest::pdfPages(klass), studiotest::pdfPages(classCommand));
    QCOMPARE(studiotest::pdfText(klass), studiotest::pdfText(classCommand));
}

void TestStudioWindow::printsThroughTheDialog()
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
    QCOMPARE(studiotest::analisi({QStringLiteral("rapporto"), survey_, QStringLiteral("-o"), command}).status, 0);
    QCOMPARE(studiotest::pdfPages(printed), studiotest::pdfPages(command));
    // The printer's finer grid moves letters by a fraction of a point: the
    // same words, in the same order.
    QCOMPARE(studiotest::pdfWords(printed), studiotest::pdfWords(command));
}

void TestStudioWindow::copiesTheChartAndExportsCsv()
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
    const studiotest::Run formato = studiotest::analisi({QStringLiteral("formato"), QStringLiteral("trasposto"), other_});
    QCOMPARE(testdata::contents(csv), formato.out.toUtf8());
    const QString longCsv = file(QStringLiteral("altro-lungo"));
    trigger(window_->csvAction, chooseFile(longCsv));
    QCOMPARE(testdata::contents(longCsv + QStringLiteral(".csv")),
             studiotest::analisi({QStringLiteral("formato"), QStringLiteral("lungo"), other_}).out.toUtf8());
}

void TestStudioWindow::withoutAnAreaTheSurveyStillShows()
{
    QTemporaryDir empty;
    window_ = std::make_unique<StudioWindow>(empty.path());
    window_->show();
    QVERIFY(window_->errorBar()->text().contains(QStringLiteral("bati.bmp")));
    window_->openFiles({survey_});
    for (const QString &name : {QStringLiteral("Indici"), QStringLiteral("Rango e abbondanza")})
        QVERIFY2(tabNamed(name)->blockedText().isEmpty(), qPrintable(name));
    for (const QString &name : {QStringLiteral("Mappa"), QStringLiteral("Verità"), QStringLiteral("Zonazione"),
                                QStringLiteral("Comunità"), QStringLiteral("Comunità vere"), QStringLiteral("Sforzo")})
        QVERIFY2(tabNamed(name)->blockedText().contains(QStringLiteral("Area…")), qPrintable(name));
    QVERIFY(!window_->pdfAction->isEnabled() && window_->saveDataAction->isEnabled());

    // "Area…" with a folder that is no area says so; the area of the program then works.
    trigger(window_->areaAction, [&](QWidget *d) {
        QVERIFY(qobject_cast<QFileDialog *>(d) && qobject_cast<QFileDialog *>(d)->fileMode() == QFileDialog::Directory);
        answerer_->expect(DialogAnswerer::pressOk());
        chooseFile(empty.path())(d);
    });
    QVERIFY(answerer_->seenTexts().last().startsWith(QStringLiteral("Quest'area non si può usare")));
    QVERIFY(window_->setAreaFolder(studiotest::areaFolder()));
    QVERIFY(tabNamed(QStringLiteral("Mappa"))->blockedText().isEmpty());
    QVERIFY(!window_->errorBar()->isVisible());
    QCOMPARE(window_->surveyList()->topLevelItem(0)->text(2), QDir(studiotest::areaFolder()).dirName());
}

void TestStudioWindow::anotherAreasSurveyIsWarnedNotBlocked()
{
    window_->openFiles({shifted_});
    QVERIFY(window_->warningBar()->isVisible());
    QVERIFY2(window_->warningBar()->text().contains(QStringLiteral("della stazione 3 non corrisponde")),
             qPrintable(window_->warningBar()->text()));
    for (StudioTab *tab : window_->tabList())
        if (!tab->needs().severalSurveys)
            QVERIFY(tab->blockedText().isEmpty());
    window_->openFiles({survey_});
    QVERIFY(!window_->warningBar()->isVisible());
}

void TestStudioWindow::communityTabsShowTheCommandsFigures()
{
    window_->openFiles({other_});
    const studiotest::Run run = studiotest::analisi({QStringLiteral("comunita"), other_});
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

void TestStudioWindow::effortTabShowsTheCommandsFigures()
{
    window_->openFiles({survey_});
    const studiotest::Run run = studiotest::analisi({QStringLiteral("sforzo"), survey_});
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

void TestStudioWindow::tooFewStationsSayWhyAsTheCommands()
{
    // Three stations, two with organisms: no communities, but a curve.
    QByteArray table("staz.\t1\t2\t3\r\nx (m)\t2000\t2500\t4000\r\ny (m)\t2000\t2000\t1000\r\nprof. (m)\t40\t42\t90\r\n\r\n");
    for (int sp = 1; sp <= 12; ++sp)
        table += QStringLiteral("sp. %1\t%2\t%3\t0\r\n").arg(sp).arg(sp == 1 ? 5 : 0).arg(sp == 2 ? 3 : 0).toUtf8();
    const QString two = file(QStringLiteral("due.txt"));
    QVERIFY(testdata::put(two, table));
    const studiotest::Run comunita = studiotest::analisi({QStringLiteral("comunita"), two});
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
    const studiotest::Run sforzo = studiotest::analisi({QStringLiteral("sforzo"), two});
    QCOMPARE(sforzo.status, 1);
    const QString nothing = sforzo.err.section(two + QStringLiteral(": "), 1).trimmed();
    QVERIFY(nothing.startsWith(QStringLiteral("nessuna stazione del rilievo ha organismi")));
    QTRY_COMPARE_WITH_TIMEOUT(noteOf(effort), QStringLiteral("Non c'è una curva di accumulo: %1.").arg(nothing), 5000);
    QVERIFY(!effort->hasChart() && !window_->copyChartAction->isEnabled());
}

void TestStudioWindow::everyControlIsNamedAndReachable()
{
    window_->openFiles({survey_, other_});
    DesignDialog dialog(window_.get());
    const auto unnamed = [](const QWidget *root) {
        QStringList names;
        for (const QWidget *w : root->findChildren<QWidget *>()) {
            const bool control = qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QAbstractItemView *>(w)
                                 || qobject_cast<const QComboBox *>(w) || qobject_cast<const QLineEdit *>(w)
                                 || qobject_cast<const QAbstractSpinBox *>(w) || qobject_cast<const QTabWidget *>(w);
            // Qt's own inner parts (a spin box's line edit, a view's corner
            // button, the menu bar's overflow button) are Qt's to name.
            const bool inner = w->objectName().startsWith(QLatin1String("qt_"))
                               || qobject_cast<const QAbstractSpinBox *>(w->parentWidget())
                               || qobject_cast<const QAbstractItemView *>(w->parentWidget())
                               || qobject_cast<const QComboBox *>(w->parentWidget());
            const auto *button = qobject_cast<const QAbstractButton *>(w);
            if (control && !inner && w->accessibleName().isEmpty() && !(button && !button->text().isEmpty()))
                names << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
        }
        return names;
    };
    QCOMPARE(unnamed(window_.get()).join(QLatin1Char(',')), QString());
    QCOMPARE(unnamed(&dialog).join(QLatin1Char(',')), QString());

    // Every menu and command has its mnemonic; the main ones a shortcut.
    QStringList mnemonics;
    for (QAction *menu : window_->menuBar()->actions()) {
        QVERIFY2(menu->text().contains(QLatin1Char('&')), qPrintable(menu->text()));
        mnemonics << menu->text().section(QLatin1Char('&'), 1).left(1).toLower();
        for (QAction *a : menu->menu()->actions())
            QVERIFY2(a->isSeparator() || a->text().contains(QLatin1Char('&')), qPrintable(a->text()));
    }
    for (StudioTab *tab : window_->tabList())
        mnemonics << tab->title().section(QLatin1Char('&'), 1).left(1).toLower();
    // The labels that lead to a control: the list, and the class's choice.
    int labels = 0;
    for (const QLabel *label : window_->findChildren<QLabel *>())
        if (label->buddy() && label->window() == window_.get()) {
            QVERIFY2(label->text().contains(QLatin1Char('&')), qPrintable(label->text()));
            mnemonics << label->text().section(QLatin1Char('&'), 1).left(1).toLower();
            ++labels;
        }
    QCOMPARE(labels, 2);
    const qsizetype all = mnemonics.size();
    mnemonics.removeDuplicates();
    QCOMPARE(mnemonics.size(), all);
    for (QAction *a : {window_->openAction, window_->designAction, window_->saveDataAction, window_->pdfAction,
                       window_->printAction, window_->csvAction, window_->quitAction, window_->copyChartAction})
        QVERIFY2(!a->shortcut().isEmpty(), qPrintable(a->text()));
    QCOMPARE(window_->openAction->shortcut(), QKeySequence(QKeySequence::Open));
    QCOMPARE(window_->printAction->shortcut(), QKeySequence(QKeySequence::Print));
}

QTEST_MAIN(TestStudioWindow)
#include "tst_studiowindow.moc"
