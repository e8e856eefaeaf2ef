#include "MapColour.h"
#include "RouteReadout.h"

#include <QTest>

#include <cmath>

class TestRouteReadout : public QObject
{
    Q_OBJECT

private slots:
    void positionCaptions_data();
    void positionCaptions();
    void depthCaptions_data();
    void depthCaptions();
    void workedRoutes_data();
    void workedRoutes();
    void noRouteWithoutStationOrOnIt();
    void bearingAlwaysInRangeAndTrue();
    void distanceRoundsHalvesUp();
};

void TestRouteReadout::positionCaptions_data()
{
    QTest::addColumn<float>("X");
    QTest::addColumn<float>("Y");
    QTest::addColumn<QString>("x");
    QTest::addColumn<QString>("y");
    QTest::newRow("top left") << 0.0f << 0.0f << "x = 0 m" << "y = 5110 m";
    QTest::newRow("bottom right") << 511.0f << 511.0f << "x = 5110 m" << "y = 0 m";
    QTest::newRow("worked example") << 123.0f << 11.0f << "x = 1230 m" << "y = 5000 m";
    QTest::newRow("left of the map") << -3.0f << 600.0f << "x =-30 m" << "y =-890 m";
}

void TestRouteReadout::positionCaptions()
{
    QFETCH(float, X);
    QFETCH(float, Y);
    QFETCH(QString, x);
    QFETCH(QString, y);
    const RouteReadout r = RouteReadout::at(X, Y, mapcolour::rgb(100, 0, 0), std::nullopt);
    QCOMPARE(r.x, x);
    QCOMPARE(r.y, y);
}

void TestRouteReadout::depthCaptions_data()
{
    QTest::addColumn<int>("colour");
    QTest::addColumn<QString>("prof");
    QTest::addColumn<int>("depth"); // -1000: the depth under the cursor stays
    QTest::newRow("red 100") << mapcolour::rgb(100, 0, 0) << "prof = 24 m" << 24;
    QTest::newRow("red 255") << mapcolour::rgb(255, 0, 0) << "prof = 179 m" << 179;
    QTest::newRow("red 50") << mapcolour::rgb(50, 0, 0) << "prof = -26 m" << -26;
    QTest::newRow("red 76") << mapcolour::rgb(76, 0, 0) << "prof = 0 m" << 0;
    QTest::newRow("green and blue do not count") << mapcolour::rgb(77, 200, 9) << "prof = 1 m" << 1;
    QTest::newRow("black") << 0 << "prof = n.d." << -1000;
    QTest::newRow("red 0 with green") << mapcolour::rgb(0, 255, 0) << "prof = n.d." << -1000;
    QTest::newRow("off the picture") << -1 << "prof = n.d." << -1000;
}

void TestRouteReadout::depthCaptions()
{
    QFETCH(int, colour);
    QFETCH(QString, prof);
    QFETCH(int, depth);
    const RouteReadout r = RouteReadout::at(200, 200, colour, std::nullopt);
    QCOMPARE(r.prof, prof);
    QCOMPARE(r.profCursore.has_value(), depth != -1000);
    if (r.profCursore)
        QCOMPARE(int(*r.profCursore), depth);
}

void TestRouteReadout::workedRoutes_data()
{
    QTest::addColumn<QPoint>("station");
    QTest::addColumn<QPoint>("cursor");
    QTest::addColumn<QString>("dist");
    QTest::addColumn<QString>("ang");
    const QPoint s(100, 100);
    QTest::newRow("south-east") << s << QPoint(103, 104) << "d = 50 m" << "per  143.1°";
    QTest::newRow("north-east") << s << QPoint(103, 96) << "d = 50 m" << "per  36.9°";
    QTest::newRow("north-west") << s << QPoint(97, 96) << "d = 50 m" << "per  323.1°";
    QTest::newRow("south-west") << s << QPoint(97, 104) << "d = 50 m" << "per  216.9°";
    QTest::newRow("due east") << s << QPoint(110, 100) << "d = 100 m" << "per  90°";
    QTest::newRow("due north") << s << QPoint(100, 90) << "d = 100 m" << "per  0°";
    QTest::newRow("due south") << s << QPoint(100, 110) << "d = 100 m" << "per  180°";
    QTest::newRow("due west") << s << QPoint(90, 100) << "d = 100 m" << "per  270°";
    QTest::newRow("nearly north, no zero before the point")
        << QPoint(200, 200) << QPoint(201, 0) << "d = 2000 m" << "per  .3°";
}

void TestRouteReadout::workedRoutes()
{
    QFETCH(QPoint, station);
    QFETCH(QPoint, cursor);
    QFETCH(QString, dist);
    QFETCH(QString, ang);
    const RouteReadout r = RouteReadout::at(float(cursor.x()), float(cursor.y()), mapcolour::rgb(120, 0, 0),
                                            RouteReference{7, station.x(), station.y()});
    QVERIFY(r.route);
    QCOMPARE(r.route->da, QStringLiteral("Da staz. 7"));
    QCOMPARE(r.route->dist, dist);
    QCOMPARE(r.route->ang, ang);
}

void TestRouteReadout::noRouteWithoutStationOrOnIt()
{
    QVERIFY(!RouteReadout::at(10, 10, 0, std::nullopt).route);
    const RouteReadout on = RouteReadout::at(300, 40, mapcolour::rgb(90, 0, 0), RouteReference{3, 300, 40});
    QVERIFY(!on.route);
    QCOMPARE(on.x, QStringLiteral("x = 3000 m")); // the position still shows
    QCOMPARE(on.profCursore, std::optional<std::int16_t>(14));
}

void TestRouteReadout::bearingAlwaysInRangeAndTrue()
{
    // Every offset that a map allows, thinned out: the bearing is a compass
    // bearing of the true direction, within rounding.
    for (int dxPx = -511; dxPx <= 511; dxPx += 7) {
        for (int dyPx = -511; dyPx <= 511; dyPx += 5) {
            if (dxPx == 0 && dyPx == 0)
                continue;
            const float dx = 10.0f * dxPx;
            const float dy = -10.0f * dyPx; // rows grow southwards
            const float d = float(std::sqrt(double(dx) * dx + double(dy) * dy));
            const float a = RouteReadout::bearing(dx, dy, d);
            QVERIFY2(a >= 0.0f && a < 360.0f, qPrintable(QStringLiteral("%1 %2 -> %3").arg(dxPx).arg(dyPx).arg(a)));
            double truth = std::atan2(double(dx), double(dy)) * 180.0 / M_PI;
            if (truth < 0)
                truth += 360.0;
            double diff = std::fabs(truth - a);
            diff = std::min(diff, 360.0 - diff);
            QVERIFY2(diff < 0.01, qPrintable(QStringLiteral("%1 %2: %3 vs %4").arg(dxPx).arg(dyPx).arg(a).arg(truth)));
        }
    }
}

void TestRouteReadout::distanceRoundsHalvesUp()
{
    // Distances along a row are whole tens; across a diagonal they are not:
    // the caption is the true distance rounded to whole metres.
    for (int k = 1; k <= 300; ++k) {
        const RouteReadout r = RouteReadout::at(float(100 + k), float(100 + k), mapcolour::rgb(90, 0, 0),
                                                RouteReference{1, 100, 100});
        const int metresShown = int(std::floor(10.0 * k * std::sqrt(2.0) + 0.5));
        QCOMPARE(r.route->dist, QStringLiteral("d = %1 m").arg(metresShown));
        QCOMPARE(r.route->ang, QStringLiteral("per  135°"));
    }
}

QTEST_APPLESS_MAIN(TestRouteReadout)
#include "tst_routereadout.moc"
