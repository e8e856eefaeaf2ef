#include "HelpText.h"
#include "StationOverlay.h"
#include "SurveyMap.h"
#include "TestData.h"
#include "Velmara.h"
#include "WindowStyle.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// The map's decisions without a window: the nearest station, the markers
// and the labels, and the help text.
class TestSurveyMap : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void trovaStazione_data();
    void trovaStazione();
    void labelsOnAndOffGiveTheMapBack_data();
    void labelsOnAndOffGiveTheMapBack();
    void labelOverAnotherMarkerLeavesNoRed();
    void labelsMissingWhenNoStations();
    void labelsReloadForgetsOldSaves();
    void labelColourNeverMakesPureRed();
    void helpTextExactly();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Velmara> v_;
    std::unique_ptr<SurveyMap> map_;
    QImage base_;

    SurveyMap::LeftClick place(int X, int Y)
    {
        map_->readCursor(float(X), float(Y));
        return map_->leftClick(float(X), float(Y));
    }
    // The base map with a red block at every live station.
    QImage expectedWithMarkers() const
    {
        QImage expected = base_;
        for (const QPoint &p : map_->stationPositions())
            for (int y = p.y() - 2; y <= p.y() + 2; ++y)
                for (int x = p.x() - 2; x <= p.x() + 2; ++x)
                    if (expected.rect().contains(x, y))
                        expected.setPixel(x, y, qRgb(255, 0, 0));
        return expected;
    }
};

void TestSurveyMap::initTestCase()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(testdata::writeMapSet(dir_->path()));
}

void TestSurveyMap::init()
{
    v_ = std::make_unique<Velmara>();
    map_ = std::make_unique<SurveyMap>(*v_);
    map_->Mappa.setFont(windowstyle::mapLabelFont());
    QCOMPARE(map_->loadImages(dir_->path()), QString());
    base_ = map_->Mappa.Image();
}

void TestSurveyMap::cleanup()
{
    map_.reset();
    v_.reset();
}

void TestSurveyMap::trovaStazione_data()
{
    QTest::addColumn<QList<QPoint>>("stations");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<int>("found");
    QTest::newRow("no stations") << QList<QPoint>{} << QPointF(100, 100) << 0;
    QTest::newRow("nearest wins") << QList<QPoint>{{100, 100}, {130, 100}, {120, 140}} << QPointF(124, 112) << 2;
    QTest::newRow("tie: the lower number") << QList<QPoint>{{206, 200}, {200, 200}} << QPointF(203, 200) << 1;
    // Rounded, 203.4 would be the middle and station 1 would win.
    QTest::newRow("not rounded") << QList<QPoint>{{200, 200}, {206, 200}} << QPointF(203.4, 200) << 2;
    QTest::newRow("far corner") << QList<QPoint>{{0, 0}, {511, 511}} << QPointF(511, 0) << 1;
}

void TestSurveyMap::trovaStazione()
{
    QFETCH(QList<QPoint>, stations);
    QFETCH(QPointF, at);
    QFETCH(int, found);
    for (int i = 0; i < stations.size(); ++i) {
        v_->Stazioni[i + 1][1] = std::int16_t(stations[i].x());
        v_->Stazioni[i + 1][2] = std::int16_t(stations[i].y());
    }
    map_->NumStazioni = std::int16_t(stations.size());
    QCOMPARE(map_->TrovaStazione(float(at.x()), float(at.y())), found);
}

void TestSurveyMap::labelsOnAndOffGiveTheMapBack_data()
{
    QTest::addColumn<QList<QPoint>>("stations");
    QTest::newRow("apart") << QList<QPoint>{{100, 100}, {300, 300}};
    QTest::newRow("labels over each other and over markers")
        << QList<QPoint>{{100, 100}, {105, 100}, {110, 102}, {115, 98}, {103, 105}};
    QTest::newRow("at the right edge") << QList<QPoint>{{511, 200}, {506, 200}, {509, 0}};
}

void TestSurveyMap::labelsOnAndOffGiveTheMapBack()
{
    QFETCH(QList<QPoint>, stations);
    for (const QPoint &p : stations)
        QCOMPARE(place(p.x(), p.y()), SurveyMap::LeftClick::Placed);
    const QImage withMarkers = map_->Mappa.Image();
    QCOMPARE(withMarkers, expectedWithMarkers());

    map_->MostraID();
    QVERIFY(v_->IDVisibili);
    QVERIFY(map_->Mappa.Image() != withMarkers);
    // Labels change only their rectangles, and every marker stays whole.
    QRegion labels;
    for (int i = 1; i <= map_->NumStazioni; ++i)
        labels += map_->overlay.labelRect(i, v_->Stazioni[i][1], v_->Stazioni[i][2]);
    for (int y = 0; y < 512; ++y)
        for (int x = 0; x < 512; ++x)
            if (!labels.contains(QPoint(x, y)) || withMarkers.pixel(x, y) == qRgb(255, 0, 0))
                QCOMPARE(map_->Mappa.Image().pixel(x, y), withMarkers.pixel(x, y));

    map_->MostraID();
    QVERIFY(!v_->IDVisibili);
    QCOMPARE(map_->Mappa.Image(), withMarkers);
}

void TestSurveyMap::labelOverAnotherMarkerLeavesNoRed()
{
    // Station 1's label lies over station 2's marker; with one shared save
    // the later erasure of station 2 would bring back red pixels.
    QCOMPARE(place(100, 100), SurveyMap::LeftClick::Placed);
    QCOMPARE(place(108, 100), SurveyMap::LeftClick::Placed);
    QVERIFY(map_->overlay.labelRect(1, 100, 100).intersects(StationOverlay::markerBlock(108, 100)));
    map_->MostraID();
    map_->MostraID();
    QCOMPARE(map_->rightClick(108, 100), 2);
    QCOMPARE(map_->Mappa.Image(), expectedWithMarkers());

    // The same with the labels shown through the deletion.
    QCOMPARE(place(108, 100), SurveyMap::LeftClick::Placed);
    map_->MostraID();
    QCOMPARE(map_->rightClick(107, 98), 2);
    map_->MostraID();
    QCOMPARE(map_->Mappa.Image(), expectedWithMarkers());
    QCOMPARE(map_->rightClick(100, 100), 1);
    QCOMPARE(map_->Mappa.Image(), base_);
}

void TestSurveyMap::labelsMissingWhenNoStations()
{
    map_->MostraID();
    QVERIFY(v_->IDVisibili);
    QCOMPARE(map_->Mappa.Image(), base_);
    map_->MostraID();
    QVERIFY(!v_->IDVisibili);
    QCOMPARE(map_->Mappa.Image(), base_);
}

void TestSurveyMap::labelsReloadForgetsOldSaves()
{
    // A reset reloads the map while the labels may still count as shown;
    // hiding them then must not paint the old survey's saves on it.
    QCOMPARE(place(200, 200), SurveyMap::LeftClick::Placed);
    map_->MostraID();
    QTemporaryDir otherDir;
    testdata::MapSet set;
    set.base = [](int x, int y) { return qRgb(x / 2, y / 2, 90); };
    QVERIFY(testdata::writeMapSet(otherDir.path(), set));
    const QImage other = testdata::image(512, 512, set.base);
    QCOMPARE(map_->loadImages(otherDir.path()), QString());
    map_->NumStazioni = 0;
    v_->clearTables();
    map_->MostraID();
    QVERIFY(!v_->IDVisibili);
    QCOMPARE(map_->Mappa.Image(), other);
}

void TestSurveyMap::labelColourNeverMakesPureRed()
{
    // Labels printed over the colours most at risk: pure red's neighbours.
    PictureSurface surface(QSize(400, 400));
    surface.setFont(windowstyle::mapLabelFont());
    surface.ForeColor = StationOverlay::kLabelColour;
    QRandomGenerator random(20240611);
    QImage &pixels = surface.pixels();
    for (int y = 0; y < pixels.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(pixels.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            const int kind = random.bounded(4);
            row[x] = kind == 0   ? qRgb(255, 0, 0)
                     : kind == 1 ? qRgb(255, random.bounded(3), random.bounded(3))
                     : kind == 2 ? qRgb(250 + random.bounded(6), random.bounded(2), 0)
                                 : qRgb(random.bounded(256), random.bounded(256), random.bounded(256));
        }
    }
    const QImage before = pixels.copy();
    for (int i = 0; i < 3000; ++i) {
        surface.CurrentX = float(random.bounded(-10, 400));
        surface.CurrentY = float(random.bounded(-10, 400)) + 0.5f * float(random.bounded(2));
        surface.Print(QString::number(1 + random.bounded(100)));
    }
    QVERIFY(surface.Image() != before); // the labels did land
    for (int y = 0; y < before.height(); ++y) {
        const auto *now = reinterpret_cast<const QRgb *>(surface.Image().constScanLine(y));
        const auto *then = reinterpret_cast<const QRgb *>(before.constScanLine(y));
        for (int x = 0; x < before.width(); ++x)
            if (now[x] == qRgb(255, 0, 0) && then[x] != qRgb(255, 0, 0))
                QFAIL(qPrintable(QStringLiteral("pure red made at %1, %2 from %3").arg(x).arg(y).arg(then[x], 0, 16)));
    }
}

void TestSurveyMap::helpTextExactly()
{
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
    QCOMPARE(helptext::text().toUtf8(), expected);
    QCOMPARE(helptext::lines().size(), 14);
}

QTEST_MAIN(TestSurveyMap)
#include "tst_surveymap.moc"
