#include "ColourConversion.h"
#include "DialogAnswerer.h"
#include "HelpText.h"
#include "Icons.h"
#include "StationOverlay.h"
#include "SurfaceView.h"
#include "SurveyMap.h"
#include "TestData.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QAbstractButton>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

// Catches that differ from place to place, so that moved rows show.
QRgb variedSpecies(int species, int x, int y)
{
    const int red = (5 * x + 11 * y + 31 * species) % 256;
    return qRgb(red, red, red);
}

} // namespace

// The map of the main window driven as a user drives it: mouse events on
// the map widget, whose 2-pixel frame puts map pixel (X, Y) at (X + 2, Y + 2).
class TestMapMouse : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void placementOnSea();
    void doubleClickPlacesOneStationOnly();
    void placementOnLandOrFrameDoesNothing_data();
    void placementOnLandOrFrameDoesNothing();
    void placementBelowSeaLevelCatchesNothing_data();
    void placementBelowSeaLevelCatchesNothing();
    void pressWithoutMoveTakesTheDepthUnderIt();
    void clickBesideMarkersOpensNearestStation();
    void hundredStationsThenRefusal();
    void deletingFirstOfThreeKeepsTheOthersInOrder();
    void deletingTheOnlyStation();
    void touchingMarkersComeOffCleanly_data();
    void touchingMarkersComeOffCleanly();
    void deletionCursorUntilRelease();
    void redInTheMapItselfIsNoStation();
    void readoutFollowsTheMouse();
    void readoutOffTheMapWhileButtonHeld();
    void labelsFollowPlacementsAndDeletions();
    void copyMapPutsOnlyThePicture();
    void helpBox();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Velmara> v_;
    std::unique_ptr<VelmaraMain> w_;
    // Answers the dialogs a test expects and closes any other within moments.
    std::unique_ptr<DialogAnswerer> answerer_;
    QImage base_;

    void makeWindow(testdata::MapSet set = {})
    {
        set.species = variedSpecies;
        QVERIFY(testdata::writeMapSet(dir_->path(), set));
        QVERIFY(testdata::writeFaunaSet(dir_->path())); // a click on a station opens the sieve
        w_ = std::make_unique<VelmaraMain>(*v_, dir_->path());
        w_->setFatalReporter([](const QString &m) { QFAIL(qPrintable(m)); });
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
    bool markerAt(int X, int Y)
    {
        for (int y = Y - 2; y <= Y + 2; ++y)
            for (int x = X - 2; x <= X + 2; ++x)
                if (map().Mappa.Point(float(x), float(y)) != mapcolour::kPureRed)
                    return false;
        return true;
    }
    void openDataWindow()
    {
        QTest::mouseClick(w_->MostraDati, Qt::LeftButton);
        QVERIFY(w_->datiWindow());
    }
    QImage withMarkers() const
    {
        QImage expected = base_;
        for (const QPoint &p : w_->map().stationPositions())
            for (int y = p.y() - 2; y <= p.y() + 2; ++y)
                for (int x = p.x() - 2; x <= p.x() + 2; ++x)
                    if (expected.rect().contains(x, y))
                        expected.setPixel(x, y, qRgb(255, 0, 0));
        return expected;
    }
};

void TestMapMouse::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    v_ = std::make_unique<Velmara>();
    v_->SplashFatto = true;
    answerer_ = std::make_unique<DialogAnswerer>();
}

void TestMapMouse::cleanup()
{
    QVERIFY2(answerer_->unexpected().isEmpty(), qPrintable(answerer_->unexpected().join(QLatin1Char('\n'))));
    QVERIFY(answerer_->allAnswered());
    answerer_.reset();
    w_.reset();
    v_.reset();
    dir_.reset();
}

void TestMapMouse::placementOnSea()
{
    makeWindow();
    click(200, 300);
    QCOMPARE(map().NumStazioni, 1);
    const int depth = *mapcolour::ProfonditaDaColore(colour::fromQRgb(testdata::defaultBati(200, 300)));
    QCOMPARE(v_->Stazioni[1][1], 200);
    QCOMPARE(v_->Stazioni[1][2], 300);
    QCOMPARE(v_->Stazioni[1][3], depth);
    for (int sp = 1; sp <= 12; ++sp)
        QCOMPARE(v_->Conteggi[1][sp], mapcolour::ConteggioDaColore(colour::fromQRgb(variedSpecies(sp, 200, 300))));
    QVERIFY(markerAt(200, 300));
    QCOMPARE(map().Mappa.Image(), withMarkers());
    QCOMPARE(map().Buffer.Point(198, 298), colour::fromQRgb(base_.pixel(198, 298)));
    QCOMPARE(w_->nstazioni->text(), QStringLiteral("1 stazione"));
    for (QPushButton *b : {w_->ToggleID, w_->MostraDati, w_->Salva})
        QVERIFY(b->isEnabled());
    // The widget shows the marker too.
    const QImage shown = w_->mappaView()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.pixel(at(200, 300)), qRgb(255, 0, 0));

    click(260, 300);
    QCOMPARE(w_->nstazioni->text(), QStringLiteral("2 stazioni"));
}

void TestMapMouse::doubleClickPlacesOneStationOnly()
{
    makeWindow();
    // A real double click: press, release, then the double-click event.
    click(200, 300);
    QTest::mouseDClick(w_->mappaView(), Qt::LeftButton, {}, at(200, 300));
    QCOMPARE(map().NumStazioni, 1);
    QVERIFY(!w_->setaccioWindow());
}

void TestMapMouse::placementOnLandOrFrameDoesNothing_data()
{
    QTest::addColumn<QPoint>("widgetPoint");
    QTest::newRow("land") << at(20, 100);
    QTest::newRow("left frame") << QPoint(0, 200);
    QTest::newRow("bottom frame") << QPoint(200, 515);
}

void TestMapMouse::placementOnLandOrFrameDoesNothing()
{
    QFETCH(QPoint, widgetPoint);
    makeWindow();
    QTest::mouseClick(w_->mappaView(), Qt::LeftButton, {}, widgetPoint);
    QCOMPARE(map().NumStazioni, 0);
    QCOMPARE(map().Mappa.Image(), base_);
    QVERIFY(!w_->ToggleID->isEnabled());

    click(300, 300);
    openDataWindow();
    QTest::mouseClick(w_->mappaView(), Qt::LeftButton, {}, widgetPoint);
    QCOMPARE(map().NumStazioni, 1);
    QCOMPARE(map().Mappa.Image(), withMarkers());
    QVERIFY(w_->datiWindow()); // not even the data window notices
}

void TestMapMouse::placementBelowSeaLevelCatchesNothing_data()
{
    // The shore band of the default bathymetry, columns 50 .. 59.
    QTest::addColumn<int>("X");
    QTest::addColumn<int>("depth");
    QTest::newRow("red 48") << 52 << -28;
    QTest::newRow("red 76, depth 0") << 59 << 0;
}

void TestMapMouse::placementBelowSeaLevelCatchesNothing()
{
    QFETCH(int, X);
    QFETCH(int, depth);
    makeWindow();
    click(X, 100);
    QCOMPARE(map().NumStazioni, 1);
    QCOMPARE(v_->Stazioni[1][3], depth);
    for (int sp = 1; sp <= 12; ++sp)
        QCOMPARE(v_->Conteggi[1][sp], 0);
    QVERIFY(markerAt(X, 100));
}

void TestMapMouse::pressWithoutMoveTakesTheDepthUnderIt()
{
    makeWindow();
    QTest::mouseMove(w_->mappaView(), at(400, 100));
    const int far = *mapcolour::ProfonditaDaColore(colour::fromQRgb(testdata::defaultBati(400, 100)));
    QCOMPARE(map().ProfCursore, far);

    // A tap: the press arrives with no move to its place.
    const QPoint p = at(100, 400);
    QMouseEvent press(QEvent::MouseButtonPress, p, w_->mappaView()->mapToGlobal(p), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(w_->mappaView(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, p, w_->mappaView()->mapToGlobal(p), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w_->mappaView(), &release);

    const int here = *mapcolour::ProfonditaDaColore(colour::fromQRgb(testdata::defaultBati(100, 400)));
    QVERIFY(here != far);
    QCOMPARE(map().NumStazioni, 1);
    QCOMPARE(v_->Stazioni[1][3], here);
    QCOMPARE(w_->MappaX->text(), QStringLiteral("x = 1000 m"));
    QCOMPARE(w_->MappaZ->text(), QStringLiteral("prof = %1 m").arg(here));
}

void TestMapMouse::clickBesideMarkersOpensNearestStation()
{
    makeWindow();
    click(200, 200);
    click(206, 200);
    openDataWindow();
    click(203, 200); // midway: both markers lie in its 5 x 5 block
    QCOMPARE(map().NumStazioni, 2);
    QCOMPARE(v_->StazSel, 1);
    QCOMPARE(map().Mappa.Image(), withMarkers());
    QPointer<QWidget> first = w_->setaccioWindow();
    QVERIFY(first && first->isVisible());
    QVERIFY(w_->datiWindow()); // opening a sample keeps the table open

    click(210, 201); // beside station 2's marker: a fresh sieve window
    QCOMPARE(v_->StazSel, 2);
    QCOMPARE(map().NumStazioni, 2);
    QVERIFY(!first);
    QVERIFY(w_->setaccioWindow() && w_->setaccioWindow()->isVisible());

    click(300, 300); // a placement closes the table but not the sample
    QCOMPARE(map().NumStazioni, 3);
    QVERIFY(!w_->datiWindow());
    QVERIFY(w_->setaccioWindow());
}

void TestMapMouse::hundredStationsThenRefusal()
{
    makeWindow();
    for (int i = 0; i < 100; ++i)
        click(70 + 40 * (i % 10), 30 + 45 * (i / 10));
    QCOMPARE(map().NumStazioni, 100);
    QCOMPARE(w_->nstazioni->text(), QStringLiteral("100 stazioni"));
    const auto stations = v_->Stazioni;
    const auto counts = v_->Conteggi;
    const QImage before = map().Mappa.Image();
    openDataWindow();

    DialogAnswerer &answerer = *answerer_;
    bool plainBox = false;
    answerer.expect([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        plainBox = box && box->icon() == QMessageBox::NoIcon && box->buttons().size() == 1
                   && box->standardButtons() == QMessageBox::Ok;
        DialogAnswerer::pressOk()(dialog);
    });
    click(480, 480);
    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.seenTexts(), QStringList{QStringLiteral("Non è possibile aggiungere altre stazioni")});
    QCOMPARE(answerer.seenTitles(), QStringList{QStringLiteral("Attenzione")});
    QVERIFY(plainBox);
    QCOMPARE(map().NumStazioni, 100);
    QVERIFY(v_->Stazioni == stations);
    QVERIFY(v_->Conteggi == counts);
    QCOMPARE(map().Mappa.Image(), before);
    QVERIFY(!w_->datiWindow());
    for (QPushButton *b : {w_->ToggleID, w_->MostraDati, w_->Salva})
        QVERIFY(b->isEnabled());

    // Station 100 is labelled "100" and the map still comes back whole.
    QTest::mouseClick(w_->ToggleID, Qt::LeftButton);
    const QRect label = map().overlay.labelRect(100, v_->Stazioni[100][1], v_->Stazioni[100][2]);
    QVERIFY(label.width() > map().overlay.labelRect(7, 0, 0).width());
    QVERIFY(map().Mappa.Image().copy(label) != before.copy(label));
    QTest::mouseClick(w_->ToggleID, Qt::LeftButton);
    QCOMPARE(map().Mappa.Image(), before);
}

void TestMapMouse::deletingFirstOfThreeKeepsTheOthersInOrder()
{
    makeWindow();
    click(100, 100);
    click(200, 150);
    click(300, 250);
    const auto before = v_->Stazioni;
    const auto counts = v_->Conteggi;
    openDataWindow();
    click(300, 250);
    QVERIFY(w_->setaccioWindow());

    click(99, 98, Qt::RightButton); // second pixel from the left of the top row
    QCOMPARE(map().NumStazioni, 2);
    QCOMPARE(v_->StazSel, 1);
    QCOMPARE(v_->Stazioni[1], before[2]);
    QCOMPARE(v_->Stazioni[2], before[3]);
    QCOMPARE(v_->Stazioni[3], before[3]); // no longer live, left as it was
    QCOMPARE(v_->Conteggi[1], counts[2]);
    QCOMPARE(v_->Conteggi[2], counts[3]);
    QCOMPARE(map().Mappa.Image(), withMarkers());
    QCOMPARE(w_->nstazioni->text(), QStringLiteral("2 stazioni"));
    QVERIFY(!w_->datiWindow());
    QVERIFY(!w_->setaccioWindow());
    QVERIFY(w_->MostraDati->isEnabled());

    // The route now refers to the station that carries the highest number.
    QTest::mouseMove(w_->mappaView(), at(300, 260));
    QCOMPARE(w_->RottaDa->text(), QStringLiteral("Da staz. 2"));
    QCOMPARE(w_->RottaDist->text(), QStringLiteral("d = 100 m"));
}

void TestMapMouse::deletingTheOnlyStation()
{
    makeWindow();
    click(150, 150);
    QTest::mouseMove(w_->mappaView(), at(150, 160));
    QCOMPARE(w_->RottaAng->text(), QStringLiteral("per  180°"));
    click(152, 152, Qt::RightButton);
    QCOMPARE(map().NumStazioni, 0);
    QCOMPARE(map().Mappa.Image(), base_);
    QCOMPARE(w_->nstazioni->text(), QStringLiteral("0 stazioni"));
    for (QLabel *l : {w_->RottaDa, w_->RottaDist, w_->RottaAng})
        QCOMPARE(l->text(), QStringLiteral("n.d."));
    for (QPushButton *b : {w_->ToggleID, w_->MostraDati, w_->Salva})
        QVERIFY(!b->isEnabled());
}

void TestMapMouse::touchingMarkersComeOffCleanly_data()
{
    QTest::addColumn<QPoint>("second");
    QTest::addColumn<int>("deleted");
    QTest::newRow("side by side, delete left") << QPoint(205, 200) << 1;
    QTest::newRow("side by side, delete right") << QPoint(205, 200) << 2;
    QTest::newRow("one above the other, delete upper") << QPoint(200, 205) << 1;
    QTest::newRow("one above the other, delete lower") << QPoint(200, 205) << 2;
    QTest::newRow("corner to corner") << QPoint(195, 205) << 2;
    QTest::newRow("cut off by the bottom edge") << QPoint(205, 511) << 2;
}

void TestMapMouse::touchingMarkersComeOffCleanly()
{
    QFETCH(QPoint, second);
    QFETCH(int, deleted);
    makeWindow();
    const QPoint first(200, second.y() == 511 ? 509 : 200);
    click(first.x(), first.y());
    click(second.x(), second.y());
    QCOMPARE(map().NumStazioni, 2);
    const QPoint gone = deleted == 1 ? first : second;
    const QPoint kept = deleted == 1 ? second : first;

    click(gone.x() - 1, gone.y() - 2, Qt::RightButton); // second pixel of the top row
    QCOMPARE(map().NumStazioni, 1);
    QCOMPARE(QPoint(v_->Stazioni[1][1], v_->Stazioni[1][2]), kept);
    QCOMPARE(map().Mappa.Image(), withMarkers());
    const QRect block = StationOverlay::markerBlock(float(gone.x()), float(gone.y())).intersected(base_.rect());
    for (int y = block.top(); y <= block.bottom(); ++y)
        for (int x = block.left(); x <= block.right(); ++x)
            QCOMPARE(map().Buffer.Point(float(x), float(y)), mapcolour::kWhite);

    click(kept.x(), kept.y(), Qt::RightButton);
    QCOMPARE(map().Mappa.Image(), base_);
}

void TestMapMouse::deletionCursorUntilRelease()
{
    makeWindow();
    click(300, 300);
    SurfaceView *view = w_->mappaView();

    QTest::mousePress(view, Qt::RightButton, {}, at(310, 300)); // beside it
    QCOMPARE(view->cursor().shape(), Qt::CrossCursor);
    QTest::mouseRelease(view, Qt::RightButton, {}, at(310, 300));
    QCOMPARE(map().NumStazioni, 1);

    QTest::mousePress(view, Qt::RightButton, {}, at(302, 301));
    QCOMPARE(map().NumStazioni, 0);
    QCOMPARE(view->cursor().shape(), Qt::BitmapCursor);
    QCOMPARE(view->cursor().pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
             icons::deletionCursorImage().convertToFormat(QImage::Format_ARGB32));
    QTest::mouseRelease(view, Qt::RightButton, {}, at(302, 301));
    QCOMPARE(view->cursor().shape(), Qt::CrossCursor);
}

void TestMapMouse::redInTheMapItselfIsNoStation()
{
    testdata::MapSet set;
    set.base = [](int x, int y) { return x == 300 && y == 300 ? qRgb(255, 0, 0) : testdata::defaultBase(x, y); };
    makeWindow(set);
    click(301, 300);
    click(300, 300, Qt::RightButton);
    QCOMPARE(map().NumStazioni, 0);
    QCOMPARE(v_->StazSel, 0);
    QVERIFY(!w_->setaccioWindow());
    QCOMPARE(w_->mappaView()->cursor().shape(), Qt::CrossCursor);
    QCOMPARE(map().Mappa.Image(), base_);
}

void TestMapMouse::readoutFollowsTheMouse()
{
    makeWindow();
    QTest::mouseMove(w_->mappaView(), at(123, 11));
    QCOMPARE(w_->MappaX->text(), QStringLiteral("x = 1230 m"));
    QCOMPARE(w_->MappaY->text(), QStringLiteral("y = 5000 m"));
    const int depth = *mapcolour::ProfonditaDaColore(colour::fromQRgb(testdata::defaultBati(123, 11)));
    QCOMPARE(w_->MappaZ->text(), QStringLiteral("prof = %1 m").arg(depth));
    QCOMPARE(map().ProfCursore, depth);
    QCOMPARE(w_->RottaDa->text(), QStringLiteral("n.d.")); // no station yet

    QTest::mouseMove(w_->mappaView(), at(10, 11)); // land keeps the depth
    QCOMPARE(w_->MappaZ->text(), QStringLiteral("prof = n.d."));
    QCOMPARE(map().ProfCursore, depth);

    click(100, 100);
    QTest::mouseMove(w_->mappaView(), at(103, 104));
    QCOMPARE(w_->RottaDa->text(), QStringLiteral("Da staz. 1"));
    QCOMPARE(w_->RottaDist->text(), QStringLiteral("d = 50 m"));
    QCOMPARE(w_->RottaAng->text(), QStringLiteral("per  143.1°"));
    QTest::mouseMove(w_->mappaView(), at(100, 100)); // on the station: the route stays
    QCOMPARE(w_->RottaAng->text(), QStringLiteral("per  143.1°"));
    QCOMPARE(w_->MappaX->text(), QStringLiteral("x = 1000 m"));

    // The map's sunken border is no part of the map: hovering or pressing
    // on it leaves every caption as it was.
    for (const QPoint border : {QPoint(0, 102), QPoint(515, 102), QPoint(102, 1)}) {
        QTest::mouseMove(w_->mappaView(), border);
        QTest::mouseClick(w_->mappaView(), Qt::LeftButton, {}, border);
        QCOMPARE(w_->MappaX->text(), QStringLiteral("x = 1000 m"));
        QCOMPARE(w_->MappaY->text(), QStringLiteral("y = 4110 m"));
        QCOMPARE(w_->RottaAng->text(), QStringLiteral("per  143.1°"));
    }

    // Over the window's own background.
    QTest::mouseMove(w_.get(), QPoint(3, 300));
    QCOMPARE(w_->MappaX->text(), QStringLiteral("x = n.d."));
    QCOMPARE(w_->MappaY->text(), QStringLiteral("y = n.d."));
    QCOMPARE(w_->MappaZ->text(), QStringLiteral("prof = n.d."));
    QCOMPARE(w_->RottaDist->text(), QStringLiteral("d = 50 m"));
}

void TestMapMouse::readoutOffTheMapWhileButtonHeld()
{
    makeWindow();
    SurfaceView *view = w_->mappaView();
    QTest::mouseMove(view, at(300, 300));
    const std::int16_t depth = map().ProfCursore;
    QTest::mousePress(view, Qt::LeftButton, {}, at(300, 300));
    QTest::mouseMove(view, QPoint(-40, 300)); // dragged off the left edge
    QCOMPARE(w_->MappaZ->text(), QStringLiteral("prof = n.d."));
    QCOMPARE(map().ProfCursore, depth);
    QTest::mouseMove(view, QPoint(300, 600)); // and below it
    QCOMPARE(w_->MappaZ->text(), QStringLiteral("prof = n.d."));
    QCOMPARE(map().ProfCursore, depth);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(300, 600));
    QCOMPARE(map().NumStazioni, 1);
    QCOMPARE(v_->Stazioni[1][3], depth);
}

void TestMapMouse::labelsFollowPlacementsAndDeletions()
{
    makeWindow();
    click(100, 100);
    click(200, 200);
    click(300, 300);
    const QImage markersOnly = map().Mappa.Image();
    QTest::mouseClick(w_->ToggleID, Qt::LeftButton);
    QVERIFY(v_->IDVisibili);
    QCOMPARE(w_->ToggleID->text(), QStringLiteral("Nascondi ID"));

    // What the label of a number looks like at a place, on this map.
    const auto labelImage = [&](int number, QPoint p) {
        PictureSurface reference(QSize(512, 512));
        reference.setPicture(markersOnly);
        reference.setFont(map().Mappa.font());
        reference.ForeColor = map().Mappa.ForeColor;
        reference.CurrentX = float(p.x() + 4);
        reference.CurrentY = float(p.y()) - reference.TextHeight(QString::number(number)) / 2.0f;
        reference.Print(QString::number(number));
        return reference.Image().copy(map().overlay.labelRect(number, p.x(), p.y()));
    };
    const auto shownLabel = [&](int number, QPoint p) {
        return map().Mappa.Image().copy(map().overlay.labelRect(number, p.x(), p.y()));
    };
    QCOMPARE(shownLabel(3, {300, 300}), labelImage(3, {300, 300}));

    click(400, 120); // drawn at once
    QCOMPARE(map().NumStazioni, 4);
    QCOMPARE(shownLabel(4, {400, 120}), labelImage(4, {400, 120}));
    QVERIFY(shownLabel(4, {400, 120}) != markersOnly.copy(map().overlay.labelRect(4, 400, 120)));

    click(101, 99, Qt::RightButton); // station 1 goes: 2, 3, 4 become 1, 2, 3
    QVERIFY(v_->IDVisibili);
    QCOMPARE(w_->ToggleID->text(), QStringLiteral("Nascondi ID"));
    QCOMPARE(shownLabel(1, {200, 200}), labelImage(1, {200, 200}));
    QCOMPARE(shownLabel(3, {400, 120}), labelImage(3, {400, 120}));
    QVERIFY(labelImage(2, {300, 300}) != labelImage(3, {300, 300}));
    QCOMPARE(shownLabel(2, {300, 300}), labelImage(2, {300, 300}));
    // Where label 1 stood there is bare map again.
    const QRect oldLabel = map().overlay.labelRect(1, 100, 100);
    QCOMPARE(map().Mappa.Image().copy(oldLabel), base_.copy(oldLabel));

    QTest::mouseClick(w_->ToggleID, Qt::LeftButton);
    QCOMPARE(w_->ToggleID->text(), QStringLiteral("Mostra ID"));
    QCOMPARE(map().Mappa.Image(), withMarkers());
}

void TestMapMouse::copyMapPutsOnlyThePicture()
{
    makeWindow();
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("Stazione\t1"));
    QTest::mouseClick(w_->CopiaBMP, Qt::LeftButton);
    QCOMPARE(clipboard->image().convertToFormat(QImage::Format_RGB32), base_);

    click(250, 250);
    click(255, 250);
    QTest::mouseClick(w_->ToggleID, Qt::LeftButton);
    clipboard->setText(QStringLiteral("Stazione\t1"));
    QTest::mouseClick(w_->CopiaBMP, Qt::LeftButton);
    QVERIFY(!clipboard->mimeData()->hasText());
    const QImage copied = clipboard->image().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(copied, map().Mappa.Image());
    QVERIFY(copied != withMarkers()); // the labels too
    QCOMPARE(copied.pixel(253, 248), qRgb(255, 0, 0));
}

void TestMapMouse::helpBox()
{
    makeWindow();
    DialogAnswerer &answerer = *answerer_;
    QString text;
    bool plainBox = false;
    answerer.expect([&](QWidget *dialog) {
        auto *box = qobject_cast<QMessageBox *>(dialog);
        QVERIFY(box);
        text = box->text();
        plainBox = box->icon() == QMessageBox::NoIcon && box->standardButtons() == QMessageBox::Ok
                   && box->buttons().size() == 1;
        box->button(QMessageBox::Ok)->click();
    });
    QTest::mouseClick(w_->Help, Qt::LeftButton);
    QVERIFY(answerer.allAnswered());
    QCOMPARE(answerer.seenTitles(), QStringList{QStringLiteral("Aiuto")});
    QCOMPARE(text, helptext::text());
    QVERIFY(plainBox);
    QCOMPARE(map().Mappa.Image(), base_);
}

QTEST_MAIN(TestMapMouse)
#include "tst_mapmouse.moc"
