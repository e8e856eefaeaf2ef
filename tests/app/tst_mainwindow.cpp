#include "ColourConversion.h"
#include "DialogAnswerer.h"
#include "Icons.h"
#include "StationOverlay.h"
#include "SurfaceView.h"
#include "SurveyChecks.h"
#include "SurveyMap.h"
#include "TestData.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>


// The main window driven as a user drives it: its start-up, reset and exit,
// and mouse events on the map widget, whose 2-pixel frame puts map pixel
// (X, Y) at (X + 2, Y + 2).
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpAndReset();
    void missingImageStopsWithAMessage_data();
    void missingImageStopsWithAMessage();
    void placementTakesDepthAndCatchUnderTheTap();
    void hundredStationsThenRefusal();
    void quickRightClicksAndLabelsLeaveTheBareMap();
    void routeShownBorderAndLandTakeNothing();
    void clickNearMarkersOpensTheFirstStationHit();
    void helpBox();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Velmara> v_;
    std::unique_ptr<VelmaraMain> w_;
    // Answers the dialogs a test expects and closes any other within moments.
    std::unique_ptr<DialogAnswerer> answerer_;
    QStringList fatal_; // what would stop the program
    QImage base_;

    // Writes the images and opens the main window on them; with load, runs
    // its load handler too.
    void makeWindow(testdata::MapSet set = {}, bool load = true)
    {
        set.species = surveychecks::variedSpecies;
        QVERIFY(testdata::writeMapSet(dir_->path(), set));
        QVERIFY(testdata::writeFaunaSet(dir_->path())); // a click on a station opens the sieve
        w_ = std::make_unique<VelmaraMain>(*v_, dir_->path());
        w_->setFatalReporter([this](const QString &m) { fatal_ << m; });
        if (load)
            QVERIFY(w_->Form_Load());
        base_ = w_->map().Mappa.Image();
    }
    SurveyMap &map() { return w_->map(); }
    static QPoint at(int X, int Y) { return QPoint(X + 2, Y + 2); }
    void click(int X, int Y, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseMove(w_->mappaView(), at(X, Y));
        QTest::mouseClick(w_->mappaView(), button, {}, at(X, Y));
    }
    // Straight to the map widget, past QTest's own bookkeeping of the pointer.
    void send(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons)
    {
        QMouseEvent event(type, p, w_->mappaView()->mapToGlobal(p), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(w_->mappaView(), &event);
    }
    // The six captions of the cursor and route frames.
    QString readout() const
    {
        QStringList texts;
        for (QLabel *l : {w_->MappaX, w_->MappaY, w_->MappaZ, w_->RottaDa, w_->RottaDist, w_->RottaAng})
            texts << l->text();
        return texts.join(QLatin1Char('|'));
    }
    void toggleLabels() { QTest::mouseClick(w_->ToggleID, Qt::LeftButton); }
    void checkEmptySurvey() const
    {
        QCOMPARE(w_->nstazioni->text(), QStringLiteral("0 stazioni"));
        QVERIFY(readout().endsWith(QStringLiteral("|n.d.|n.d.|n.d.")));
        for (QPushButton *b : {w_->ToggleID, w_->MostraDati, w_->Salva})
            QVERIFY(!b->isEnabled());
    }
    // Answers the next dialog with OK, noting whether it was a plain
    // message box: no icon, a single OK button.
    void expectPlainBox(bool &plain)
    {
        answerer_->expect([&plain](QWidget *dialog) {
            auto *box = qobject_cast<QMessageBox *>(dialog);
            plain = box && box->icon() == QMessageBox::NoIcon && box->buttons().size() == 1
                    && box->standardButtons() == QMessageBox::Ok;
            DialogAnswerer::pressOk()(dialog);
        });
    }
    void openDataWindow()
    {
        QTest::mouseClick(w_->MostraDati, Qt::LeftButton);
        QVERIFY(w_->datiWindow());
    }
    QImage withMarkers() const { return surveychecks::withMarkers(base_, w_->map().stationPositions()); }
};

void TestMainWindow::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    v_ = std::make_unique<Velmara>();
    v_->SplashFatto = true;
    answerer_ = std::make_unique<DialogAnswerer>();
    fatal_.clear();
}

void TestMainWindow::cleanup()
{
    QVERIFY2(answerer_->unexpected().isEmpty(), qPrintable(answerer_->unexpected().join(QLatin1Char('\n'))));
    QVERIFY(answerer_->allAnswered());
    QVERIFY2(fatal_.isEmpty(), qPrintable(fatal_.join(QLatin1Char('\n'))));
    answerer_.reset();
    w_.reset();
    v_.reset();
    dir_.reset();
}

void TestMainWindow::startUpAndReset()
{
    makeWindow();
    VelmaraMain &w = *w_;
    QVERIFY(w.isVisible());
    checkEmptySurvey();
    QStringList captions;
    for (QPushButton *b : {w.Help, w.MostraTaxa, w.CopiaBMP, w.ToggleID, w.MostraDati, w.Salva, w.Resetta, w.Esci})
        captions << b->text();
    QCOMPARE(captions.join(QLatin1Char('|')),
             QStringLiteral("?|Mostra taxa|Copia mappa|Mostra ID|Mostra dati|Salva dati|Resetta|Esci"));
    // The map shows base.bmp pixel for pixel inside its 2-pixel border.
    const QString basePath = QDir(dir_->path()).filePath(QStringLiteral("base.bmp"));
    QCOMPARE(w.mappaView()->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(2, 2, 512, 512),
             QImage(basePath).convertToFormat(QImage::Format_RGB32));

    // A survey in progress: two stations, their labels shown, the sieve,
    // the table and the gallery open.
    click(200, 300);
    click(300, 300);
    click(300, 301);
    toggleLabels();
    openDataWindow();
    QTest::mouseClick(w.MostraTaxa, Qt::LeftButton);
    QVERIFY(w.setaccioWindow() && w.datiWindow() && w.taxaWindow());
    const std::int16_t depthUnderCursor = w.map().ProfCursore;
    v_->SplashFatto = false;

    // A changed image on disk is what the reset shows, with no splash.
    const QImage changed = testdata::image(512, 512, [](int x, int) { return qRgb(x / 2, 90, 140); });
    QVERIFY(changed.save(basePath, "BMP"));
    QTest::mouseClick(w.Resetta, Qt::LeftButton);
    QVERIFY(v_->SplashFatto);
    QCOMPARE(w.map().NumStazioni, 0);
    QVERIFY(v_->Stazioni == decltype(v_->Stazioni){} && v_->Conteggi == decltype(v_->Conteggi){});
    QCOMPARE(w.map().Mappa.Image(), changed);
    checkEmptySurvey();
    QVERIFY(!w.setaccioWindow() && !w.datiWindow() && w.taxaWindow() && w.isVisible());
    QCOMPARE(w.map().ProfCursore, depthUnderCursor);

    // The labels still count as shown; hiding them must not paint the old
    // survey's saves on the new map.
    QCOMPARE(w.ToggleID->text(), QStringLiteral("Nascondi ID"));
    w.MostraID();
    QCOMPARE(w.map().Mappa.Image(), changed);

    QTest::mouseClick(w.Esci, Qt::LeftButton);
    QVERIFY(!w.isVisible());
}

void TestMainWindow::missingImageStopsWithAMessage_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("atReset");
    QTest::newRow("map of the wrong size") << "base.bmp" << false;
    // The program then ends with a failure status.
    QTest::newRow("species gone at reset") << "s7.bmp" << true;
}

void TestMainWindow::missingImageStopsWithAMessage()
{
    QFETCH(QString, file);
    QFETCH(bool, atReset);
    makeWindow({}, atReset);
    const QString path = QDir(dir_->path()).filePath(file);
    QVERIFY(QFile::remove(path));
    if (atReset)
        QTest::mouseClick(w_->Resetta, Qt::LeftButton);
    else
        QVERIFY(testdata::image(256, 256, testdata::defaultBase).save(path, "BMP") && !w_->Form_Load());
    QVERIFY(!w_->isVisible());
    QCOMPARE(w_->stoppedOnLoadFailure(), atReset);
    QCOMPARE(fatal_.size(), 1);
    QVERIFY2(fatal_[0].contains(file) && fatal_[0].contains(QDir::toNativeSeparators(dir_->path())),
             qPrintable(fatal_[0]));
    fatal_.clear();
}

void TestMainWindow::placementTakesDepthAndCatchUnderTheTap()
{
    makeWindow();
    // The default bathymetry: sea has red 100 + column / 4; the shore band
    // in columns 50 .. 59 has red 40 .. 76, below the waterline or at depth
    // 0, where nothing is caught.
    const struct { int X, depth; } taps[] = {{200, 74}, {52, -28}, {59, 0}};
    for (const auto &[X, depth] : taps) {
        send(QEvent::MouseMove, at(400, 100), Qt::NoButton, Qt::NoButton);
        QCOMPARE(map().ProfCursore, surveychecks::depthAt(400, 100));
        // A tap: the press comes with no move to its place, yet the station
        // takes the depth under it, and the readout shows where it is.
        send(QEvent::MouseButtonPress, at(X, 300), Qt::LeftButton, Qt::LeftButton);
        send(QEvent::MouseButtonRelease, at(X, 300), Qt::LeftButton, Qt::NoButton);
        QCOMPARE(w_->MappaZ->text(), QStringLiteral("prof = %1 m").arg(depth));
        const int n = map().NumStazioni;
        QCOMPARE(v_->Stazioni[n], (std::array<std::int16_t, 4>{0, std::int16_t(X), 300, std::int16_t(depth)}));
        for (int sp = 1; sp <= 12; ++sp)
            QCOMPARE(v_->Conteggi[n][sp],
                     depth > 0 ? mapcolour::ConteggioDaColore(colour::fromQRgb(surveychecks::variedSpecies(sp, X, 300))) : 0);
        if (n == 1)
            QCOMPARE(w_->nstazioni->text(), QStringLiteral("1 stazione"));
    }
    // The double-click event of a quick second click places nothing and
    // opens no sieve.
    QTest::mouseDClick(w_->mappaView(), Qt::LeftButton, {}, at(59, 300));
    QVERIFY(!w_->setaccioWindow());
    QCOMPARE(map().NumStazioni, 3);
    QCOMPARE(map().Mappa.Image().pixel(200, 300), qRgb(255, 0, 0));
}

void TestMainWindow::hundredStationsThenRefusal()
{
    makeWindow();
    for (int i = 0; i < 100; ++i)
        click(70 + 40 * (i % 10), 30 + 45 * (i / 10));
    QCOMPARE(w_->nstazioni->text(), QStringLiteral("100 stazioni"));
    const auto stations = v_->Stazioni;
    const auto counts = v_->Conteggi;
    const QImage before = map().Mappa.Image();
    openDataWindow();

    bool plainBox = false;
    expectPlainBox(plainBox);
    click(480, 480);
    QCOMPARE(answerer_->seenTexts(), QStringList{QStringLiteral("Non è possibile aggiungere altre stazioni")});
    QCOMPARE(answerer_->seenTitles(), QStringList{QStringLiteral("Attenzione")});
    QVERIFY(plainBox);
    QCOMPARE(map().NumStazioni, 100);
    QVERIFY(v_->Stazioni == stations && v_->Conteggi == counts);
    QCOMPARE(map().Mappa.Image(), before);
    QVERIFY(!w_->datiWindow());
}

// Quick right clicks, red in the map itself, labels over other markers.
void TestMainWindow::quickRightClicksAndLabelsLeaveTheBareMap()
{
    testdata::MapSet set;
    set.base = [](int x, int y) { return x == 300 && y == 300 ? qRgb(255, 0, 0) : testdata::defaultBase(x, y); };
    makeWindow(set);
    SurfaceView *view = w_->mappaView();
    click(200, 200);
    click(205, 200); // touching the first marker
    click(195, 195, Qt::RightButton); // diagonally beside it: nothing
    QCOMPARE(map().NumStazioni, 2);
    // A quick second press reaches the map as a double click: with the right
    // button it is one more deletion, on the marker beside the first. The
    // deletion cursor shows until the button is released.
    send(QEvent::MouseButtonPress, at(200, 200), Qt::RightButton, Qt::RightButton);
    QCOMPARE(view->cursor().pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
             icons::deletionCursorImage().convertToFormat(QImage::Format_ARGB32));
    send(QEvent::MouseButtonRelease, at(200, 200), Qt::RightButton, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, at(205, 200), Qt::RightButton, Qt::RightButton);
    send(QEvent::MouseButtonRelease, at(205, 200), Qt::RightButton, Qt::NoButton);
    QCOMPARE(map().NumStazioni, 0);
    QCOMPARE(map().Mappa.Image(), base_);
    checkEmptySurvey(); // no route, no survey buttons

    // Red in the map itself is no station.
    click(301, 300);
    click(300, 300, Qt::RightButton);
    QCOMPARE(map().NumStazioni, 0);
    QVERIFY(!w_->setaccioWindow());
    QCOMPARE(view->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(map().Mappa.Image(), base_);

    // Station 1's label lies over station 2's marker; with one shared save
    // the later erasure of station 2 would bring back red pixels.
    click(100, 100);
    click(108, 100);
    QVERIFY(map().overlay.labelRect(1, 100, 100).intersects(StationOverlay::markerBlock(108, 100)));
    toggleLabels();
    toggleLabels();
    click(108, 100, Qt::RightButton);
    QCOMPARE(map().Mappa.Image(), withMarkers());
    click(100, 100, Qt::RightButton);
    QCOMPARE(map().Mappa.Image(), base_);
}

// The map's sunken border is no part of the map: hovering or pressing on
// it leaves every caption as it was. Neither it nor land takes a station;
// not even the data window notices.
void TestMainWindow::routeShownBorderAndLandTakeNothing()
{
    makeWindow();
    SurfaceView *view = w_->mappaView();
    click(100, 100);
    openDataWindow();
    QTest::mouseMove(view, at(103, 104));
    const QString shown = readout();
    QCOMPARE(shown, QStringLiteral("x = 1030 m|y = 4070 m|prof = %1 m|Da staz. 1|d = 50 m|per  143.1°")
                        .arg(surveychecks::depthAt(103, 104)));
    const QImage before = map().Mappa.Image();
    for (const QPoint p : {QPoint(0, 102), QPoint(515, 102), QPoint(102, 1), QPoint(200, 515), at(20, 100)}) {
        QTest::mouseMove(view, p);
        QTest::mouseClick(view, Qt::LeftButton, {}, p);
        if (p != at(20, 100))
            QCOMPARE(readout(), shown);
        QCOMPARE(map().NumStazioni, 1);
        QCOMPARE(map().Mappa.Image(), before);
        QVERIFY(w_->datiWindow());
    }
    click(100, 100); // its sample; the table stays
    QVERIFY(w_->setaccioWindow() && w_->datiWindow());
    click(200, 200); // a placement closes the table, not the sample
    QVERIFY(!w_->datiWindow() && w_->setaccioWindow());
    openDataWindow();
    click(99, 98, Qt::RightButton); // both show the old numbering: a deletion closes them
    QVERIFY(!w_->datiWindow() && !w_->setaccioWindow());
    QTest::mouseMove(view, at(200, 210)); // the route now refers to the renumbered station
    QVERIFY(readout().endsWith(QStringLiteral("|Da staz. 1|d = 100 m|per  180°")));
}

void TestMainWindow::clickNearMarkersOpensTheFirstStationHit()
{
    makeWindow();
    click(200, 200);
    click(206, 200);
    click(203, 200); // midway: both markers lie in its 5 x 5 block
    QCOMPARE(v_->StazSel, 1);
    const QPointer<QWidget> first = w_->setaccioWindow();
    QVERIFY(first && first->isVisible());
    click(210, 201); // beside station 2's marker: its own, fresh sieve window
    QCOMPARE(v_->StazSel, 2);
    QVERIFY(!first);
    QCOMPARE(w_->setaccioWindow()->windowTitle(), QStringLiteral("Stazione 2 (setaccio)"));
}

void TestMainWindow::helpBox()
{
    makeWindow();
    bool plainBox = false;
    expectPlainBox(plainBox);
    QTest::mouseClick(w_->Help, Qt::LeftButton);
    QVERIFY(plainBox);
    QCOMPARE(answerer_->seenTitles(), QStringList{QStringLiteral("Aiuto")});
    // Fourteen lines joined by CR LF, none after the last.
    const QByteArray expected =
        "Questo programma simula il campionamento di macrozoobenthos\r\n"
        "di fondo mobile in un'area marina costiera.\r\n"
        "\r\n"
        "La schermata principale mostra una mappa su cui \xC3\xA8 possibile\r\n"
        "disporre stazioni di campionamento cliccando con il mouse.\r\n"
        "\r\n"
        "Cliccando con il tasto di sinistra su una stazione gi\xC3\xA0\r\n"
        "collocata, rappresentata da un quadrato rosso, si\r\n"
        "visualizza il materiale prelevato e setacciato.\r\n"
        "\r\n"
        "Cliccando con il tasto di destra su una stazione gi\xC3\xA0\r\n"
        "collocata, invece, la si cancella.\r\n"
        "\r\n"
        "Altre opzioni sono chiaramente indicate dai relativi pulsanti.";
    QCOMPARE(answerer_->seenTexts(), QStringList{QString::fromUtf8(expected)});
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
