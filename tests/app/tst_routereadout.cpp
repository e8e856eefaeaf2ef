#include "MapColour.h"
#include "RouteReadout.h"

#include <QTest>

using mapcolour::rgb;

class TestRouteReadout : public QObject
{
    Q_OBJECT

private slots:
    void cursorCaptions_data();
    void cursorCaptions();
    void workedRoutes_data();
    void workedRoutes();
};

void TestRouteReadout::cursorCaptions_data()
{
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<int>("colour");
    QTest::addColumn<QString>("captions");
    QTest::addColumn<int>("depth"); // -1000: the depth under the cursor stays
    QTest::newRow("top left") << QPointF(0, 0) << rgb(100, 0, 0) << "x = 0 m|y = 5110 m|prof = 24 m" << 24;
    QTest::newRow("bottom right, red 255") << QPointF(511, 511) << rgb(255, 0, 0) << "x = 5110 m|y = 0 m|prof = 179 m"
                                           << 179;
    QTest::newRow("red 76") << QPointF(1, 1) << rgb(76, 0, 0) << "x = 10 m|y = 5100 m|prof = 0 m" << 0;
    QTest::newRow("black") << QPointF(1, 1) << 0 << "x = 10 m|y = 5100 m|prof = n.d." << -1000;
    // A drag that left the map: metres beyond its edges, and no depth.
    QTest::newRow("off the picture") << QPointF(-3, 600) << -1 << "x =-30 m|y =-890 m|prof = n.d." << -1000;
}

void TestRouteReadout::cursorCaptions()
{
    QFETCH(QPointF, at);
    QFETCH(int, colour);
    QFETCH(int, depth);
    const RouteReadout r = RouteReadout::at(float(at.x()), float(at.y()), colour, std::nullopt);
    QTEST(r.x + '|' + r.y + '|' + r.prof, "captions");
    QCOMPARE(r.profCursore.value_or(-1000), depth);
    QVERIFY(!r.route); // no station yet
}

void TestRouteReadout::workedRoutes_data()
{
    QTest::addColumn<QPoint>("station");
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QString>("route");
    const QPoint s(100, 100);
    QTest::newRow("south-east") << s << QPoint(103, 104) << "d = 50 m|per  143.1°";
    QTest::newRow("north-east") << s << QPoint(103, 96) << "d = 50 m|per  36.9°";
    QTest::newRow("north-west") << s << QPoint(97, 96) << "d = 50 m|per  323.1°";
    QTest::newRow("south-west") << s << QPoint(97, 104) << "d = 50 m|per  216.9°";
    QTest::newRow("whole metres, halves up") << s << QPoint(101, 103) << "d = 32 m|per  161.6°";
    QTest::newRow("due east") << s << QPoint(110, 100) << "d = 100 m|per  90°";
    QTest::newRow("due west") << s << QPoint(90, 100) << "d = 100 m|per  270°";
    QTest::newRow("nearly north, no zero before the point") << QPoint(200, 200) << QPoint(201, 0) << "d = 2000 m|per  .3°";
    QTest::newRow("on the station: no route") << s << s << "";
}

void TestRouteReadout::workedRoutes()
{
    QFETCH(QPoint, station);
    QFETCH(QPoint, cursor);
    QFETCH(QString, route);
    const RouteReadout r = RouteReadout::at(float(cursor.x()), float(cursor.y()), rgb(120, 0, 0),
                                            RouteReference{7, station.x(), station.y()});
    QCOMPARE(r.x, QStringLiteral("x = %1 m").arg(10 * cursor.x())); // the position always shows
    QCOMPARE(bool(r.route), !route.isEmpty());
    if (r.route)
        QCOMPARE(r.route->da + '|' + r.route->dist + '|' + r.route->ang, "Da staz. 7|" + route);
}

QTEST_APPLESS_MAIN(TestRouteReadout)
#include "tst_routereadout.moc"
