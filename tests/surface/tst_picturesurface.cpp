#include "ColourConversion.h"
#include "PictureSurface.h"
#include "SurfaceView.h"

#include <QGuiApplication>
#include <QTest>

using mapcolour::rgb;

class TestPictureSurface : public QObject
{
    Q_OBJECT

private slots:
    void colourValuesRoundTripThroughQRgb();
    void pointIsMinusOneOutside();
    void psetWritesOnePixelAndIgnoresOutside();
    void boxIncludesBothCorners();
    void boxIsClippedAtTheEdges();
    void lineDrawsBothEnds();
    void clsRestoresTheBackgroundPicture();
    void pictureIsLaidAtTheTopLeft();
    void autoSizeTakesThePictureSize();
    void userScaleWithYUpwards();
    void printChangesOnlyItsTextBox();
    void textExtentFollowsTheScale();
    void changesAreReported();
    void viewOutlivesItsSurface();
};

void TestPictureSurface::colourValuesRoundTripThroughQRgb()
{
    for (const ColourValue c : {0, 255, 65280, 16711680, 16777215, rgb(64, 64, 64), rgb(1, 2, 3)}) {
        QCOMPARE(colour::fromQRgb(colour::toQRgb(c)), c);
    }
    QCOMPARE(colour::toQRgb(255), qRgb(255, 0, 0));
    QCOMPARE(colour::fromQRgb(qRgb(0, 0, 255)), 16711680);
}

void TestPictureSurface::pointIsMinusOneOutside()
{
    PictureSurface s(QSize(10, 8));
    QCOMPARE(s.Point(0, 0), mapcolour::kWhite);
    QCOMPARE(s.Point(9, 7), mapcolour::kWhite);
    QCOMPARE(s.Point(10, 0), -1);
    QCOMPARE(s.Point(0, 8), -1);
    QCOMPARE(s.Point(-1, 3), -1);
    QCOMPARE(s.Point(1e9f, -1e9f), -1);
}

void TestPictureSurface::psetWritesOnePixelAndIgnoresOutside()
{
    PictureSurface s(QSize(10, 10));
    s.PSet(3, 4, 255);
    QCOMPARE(s.Point(3, 4), 255);
    QCOMPARE(s.Point(4, 4), mapcolour::kWhite);
    QCOMPARE(s.CurrentX, 3.0f);
    const QImage before = s.Image();
    s.PSet(-1, 4, 0);
    s.PSet(10, 10, 0);
    QCOMPARE(s.Image(), before);
    // Halves go to the even pixel.
    s.PSet(5.5f, 6.5f, rgb(1, 2, 3));
    QCOMPARE(s.Point(6, 6), rgb(1, 2, 3));
}

void TestPictureSurface::boxIncludesBothCorners()
{
    PictureSurface s(QSize(20, 20));
    s.Box(10 - 2, 10 - 2, 10 + 2, 10 + 2, 255);
    int red = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            if (s.Point(x, y) == 255) {
                ++red;
                QVERIFY(x >= 8 && x <= 12 && y >= 8 && y <= 12);
            }
    QCOMPARE(red, 25);

    // Corners given the other way round fill the same box.
    PictureSurface r(QSize(20, 20));
    r.Box(12, 12, 8, 8, 255);
    QCOMPARE(r.Image(), s.Image());
    // In a scale with y upwards the bottom corner comes first in pixels.
    PictureSurface up(QSize(20, 20));
    up.Scale(0, 20, 20, 0);
    up.Box(8, 8, 12, 12, 255);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            QCOMPARE(up.Image().pixel(x, y) == qRgb(255, 0, 0), x >= 8 && x <= 12 && y >= 8 && y <= 12);
}

void TestPictureSurface::boxIsClippedAtTheEdges()
{
    PictureSurface s(QSize(20, 20));
    s.Box(-2, -2, 2, 2, 255);
    s.Box(17, 17, 21, 21, 255);
    int red = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            red += s.Point(x, y) == 255;
    QCOMPARE(red, 9 + 9);
}

void TestPictureSurface::lineDrawsBothEnds()
{
    PictureSurface s(QSize(20, 20));
    s.Line(2, 3, 2, 9, 0);
    for (int y = 0; y < 20; ++y)
        QCOMPARE(s.Point(2, y) == 0, y >= 3 && y <= 9);
    s.Line(0, 15, 19, 15, 0);
    for (int x = 0; x < 20; ++x)
        QCOMPARE(s.Point(x, 15), 0);
    // A line running off the picture still draws its visible part.
    s.Line(5, -10, 5, 30, rgb(9, 9, 9));
    for (int y = 0; y < 20; ++y)
        QCOMPARE(s.Point(5, y), rgb(9, 9, 9));
    // A diagonal has one pixel per column.
    PictureSurface d(QSize(10, 10));
    d.Line(0, 0, 9, 9, 0);
    for (int i = 0; i < 10; ++i)
        QCOMPARE(d.Point(i, i), 0);
}

void TestPictureSurface::clsRestoresTheBackgroundPicture()
{
    PictureSurface s(QSize(8, 8));
    QImage picture(8, 8, QImage::Format_RGB32);
    picture.fill(qRgb(10, 20, 30));
    s.setPicture(picture);
    s.Box(0, 0, 7, 7, 255);
    s.CurrentX = 4;
    s.Cls();
    QCOMPARE(s.Point(3, 3), rgb(10, 20, 30));
    QCOMPARE(s.CurrentX, 0.0f);
}

void TestPictureSurface::pictureIsLaidAtTheTopLeft()
{
    PictureSurface s(QSize(6, 6), mapcolour::kBlack);
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(200, 100, 50));
    s.setPicture(picture);
    QCOMPARE(s.size(), QSize(6, 6));
    QCOMPARE(s.Point(2, 1), rgb(200, 100, 50));
    QCOMPARE(s.Point(3, 1), mapcolour::kBlack);
    QCOMPARE(s.Point(0, 2), mapcolour::kBlack);
    // A larger picture is cut at the surface's size, not scaled.
    QImage big(12, 12, QImage::Format_RGB32);
    big.fill(qRgb(1, 1, 1));
    big.setPixel(5, 5, qRgb(7, 7, 7));
    s.setPicture(big);
    QCOMPARE(s.Point(5, 5), rgb(7, 7, 7));
}

void TestPictureSurface::autoSizeTakesThePictureSize()
{
    PictureSurface s(QSize(4, 4));
    QImage sheet(600, 200, QImage::Format_RGB32);
    sheet.fill(qRgb(255, 0, 255));
    s.setPicture(sheet, true);
    QCOMPARE(s.size(), QSize(600, 200));
    QCOMPARE(s.Point(599, 199), rgb(255, 0, 255));
}

void TestPictureSurface::userScaleWithYUpwards()
{
    // The sieve: 529 x 530 pixels, y growing upwards from the bottom edge.
    PictureSurface s(QSize(529, 530));
    s.Scale(0, 530, 529, 0);
    QCOMPARE(s.toPixel(0, 530), QPoint(0, 0));
    QCOMPARE(s.toPixel(2, 2), QPoint(2, 528));
    QCOMPARE(s.toPixel(47, 47), QPoint(47, 483));
    QCOMPARE(s.Point(0, 0), -1); // the bottom edge line lies just outside
    s.PSet(2, 2, 0);
    QCOMPARE(s.Image().pixel(2, 528), qRgb(0, 0, 0));
    QCOMPARE(s.toUnits(QPointF(2, 528)), QPointF(2, 2));
    s.scalePixels();
    QCOMPARE(s.toPixel(2, 2), QPoint(2, 2));
}

void TestPictureSurface::printChangesOnlyItsTextBox()
{
    PictureSurface s(QSize(80, 40));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    s.setFont(font);
    s.ForeColor = rgb(20, 20, 60);
    s.CurrentX = 10;
    s.CurrentY = 12;
    const int w = qRound(s.TextWidth(QStringLiteral("100")));
    const int h = qRound(s.TextHeight(QStringLiteral("100")));
    QVERIFY(w > 0 && h > 0);
    s.Print(QStringLiteral("100"));
    int changed = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 80; ++x)
            if (s.Point(x, y) != mapcolour::kWhite) {
                ++changed;
                QVERIFY2(x >= 10 && x < 10 + w && y >= 12 && y < 12 + h, qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
    QVERIFY(changed > 10);
    QCOMPARE(s.CurrentX, 10.0f);
    QCOMPARE(s.CurrentY, 12.0f + h);
}

void TestPictureSurface::textExtentFollowsTheScale()
{
    PictureSurface s(QSize(100, 100));
    const float pixels = s.TextWidth(QStringLiteral("Specie 12"));
    s.Scale(0, 0, 200, 50);
    QCOMPARE(s.TextWidth(QStringLiteral("Specie 12")), pixels * 2.0f);
}

void TestPictureSurface::changesAreReported()
{
    PictureSurface s(QSize(30, 30));
    QRect reported;
    s.setChangeListener([&](const QRect &r) { reported |= r; });
    s.Box(3, 4, 5, 6, 0);
    QCOMPARE(reported, QRect(3, 4, 3, 3));
    reported = QRect();
    s.Box(5, 6, 3, 4, 0);
    QCOMPARE(reported, QRect(3, 4, 3, 3));
    // Lines drawn up and to the left report every pixel they set.
    for (const auto &[line, box] : {std::pair{QLine(9, 9, 0, 0), QRect(0, 0, 10, 10)},
                                    std::pair{QLine(5, 5, 4, 10), QRect(4, 5, 2, 6)},
                                    std::pair{QLine(20, 3, 2, 3), QRect(2, 3, 19, 1)}}) {
        reported = QRect();
        s.Line(line.x1(), line.y1(), line.x2(), line.y2(), 0);
        QCOMPARE(reported, box);
    }
    reported = QRect();
    s.PSet(40, 40, 0);
    QVERIFY(reported.isEmpty());
}

void TestPictureSurface::viewOutlivesItsSurface()
{
    // A window's surfaces are members and go before its child widgets.
    auto surface = std::make_unique<PictureSurface>(QSize(4, 4));
    auto view = std::make_unique<SurfaceView>(*surface);
    surface.reset();
    view.reset();

    // A view deleted first leaves its surface drawable.
    PictureSurface kept(QSize(4, 4));
    delete new SurfaceView(kept);
    kept.PSet(1, 1, 0);
    QCOMPARE(kept.Point(1, 1), 0);
}

QTEST_MAIN(TestPictureSurface)
#include "tst_picturesurface.moc"
