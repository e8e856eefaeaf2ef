// The studio's window, offscreen: what a user opens and sees, where a
// click leads, what a changed file and another area do, and that every
// control can be found by name and reached by the keyboard.
#include "AnalisiRun.h"
#include "ChartTab.h"
#include "ChartView.h"
#include "DesignDialog.h"
#include "IndicesModel.h"
#include "IndicesTab.h"
#include "IndicesTable.h"
#include "MappaStazioni.h"
#include "MessageBar.h"
#include "StudioFixture.h"
#include "SurveyList.h"
#include "SurveyWatcher.h"
#include "TestData.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QSpinBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

class TestStudioWindow : public StudioFixture
{
    Q_OBJECT

private slots:
    void initTestCase() { makeSurveys(); }
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    void openingTwoSurveysOneBroken();
    void indicesShowTheCommandsFiguresAndCopy();
    void aStationOnTheMapIsPickedInIndici();
    void aFileChangedOnDiskIsReadAgain();
    void droppedFilesOpen();
    void withoutAnAreaTheSurveyStillShows();
    void anotherAreasSurveyIsWarnedNotBlocked();
    void everyControlIsNamedAndReachable();
};

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
    const analisitest::Run indici = analisitest::analisi({QStringLiteral("indici"), other_});
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
    QVERIFY(window_->setAreaFolder(analisitest::areaFolder()));
    QVERIFY(tabNamed(QStringLiteral("Mappa"))->blockedText().isEmpty());
    QVERIFY(!window_->errorBar()->isVisible());
    QCOMPARE(window_->surveyList()->topLevelItem(0)->text(2), QDir(analisitest::areaFolder()).dirName());
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
