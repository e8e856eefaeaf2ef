#include "PictureSurface.h"
#include "SurfaceView.h"

#include <QGuiApplication>
#include <QTest>

using mapcolour::rgb;

namespace {

// The pixels of colour c, as a region.
QRegion pixelsOf(const PictureSurface &s, ColourValue c)
{
    QRegion region;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.Point(float(x), float(y)) == c)
                region += QRect(x, y, 1, 1);
    return region;
}

} // namespace

class TestPictureSurface : public QObject
{
    Q_OBJECT

private slots:
    void pointAndPSetStayInsideThePicture();
    void boxIncludesBothCornersFromAnyCorner();
    void lineDrawsBothEnds();
    void backgroundPicture();
    void userScaleWithYUpwards();
    void printChangesOnlyItsTextBox();
    void printAllMatchesPrintOneByOne();
    void changesAreReported();
    void viewOutlivesItsSurface();
};

void TestPictureSurface::pointAndPSetStayInsideThePicture()
{
    PictureSurface s(QSize(10, 8));
    for (const QPointF outside : {QPointF(10, 0), QPointF(-1, 3), QPointF(1e9, -1e9)})
        QCOMPARE(s.Point(float(outside.x()), float(outside.y())), -1);
    s.PSet(3, 4, 255);
    s.PSet(-1, 4, 0);
    s.PSet(10, 8, 0);
    QCOMPARE(pixelsOf(s, 255), QRegion(3, 4, 1, 1));
    // Halves go to the even pixel.
    s.PSet(5.5f, 6.5f, rgb(1, 2, 3));
    QCOMPARE(s.Point(6, 6), rgb(1, 2, 3));
}

void TestPictureSurface::boxIncludesBothCornersFromAnyCorner()
{
    // +-2 around a point is 5 x 5, whichever corner comes first.
    for (const QRect corners : {QRect(QPoint(8, 8), QPoint(12, 12)), QRect(QPoint(12, 12), QPoint(8, 8))}) {
        PictureSurface s(QSize(20, 20));
        s.Box(corners.left(), corners.top(), corners.right(), corners.bottom(), 255);
        QCOMPARE(pixelsOf(s, 255), QRegion(8, 8, 5, 5));
    }
    // Clipped at the edges.
    PictureSurface s(QSize(20, 20));
    s.Box(-2, -2, 2, 2, 255);
    s.Box(17, 17, 21, 21, 255);
    QCOMPARE(pixelsOf(s, 255), QRegion(0, 0, 3, 3) + QRegion(17, 17, 3, 3));
}

void TestPictureSurface::lineDrawsBothEnds()
{
    PictureSurface s(QSize(20, 20));
    s.Line(2, 3, 2, 9, 0);
    s.Line(0, 15, 19, 15, 0);
    QCOMPARE(pixelsOf(s, 0), QRegion(2, 3, 1, 7) + QRegion(0, 15, 20, 1));
    // A diagonal has one pixel per column.
    s.Line(10, 0, 14, 4, 255);
    QCOMPARE(pixelsOf(s, 255), QRegion(10, 0, 1, 1) + QRegion(11, 1, 1, 1) + QRegion(12, 2, 1, 1) + QRegion(13, 3, 1, 1)
                                    + QRegion(14, 4, 1, 1));
}

void TestPictureSurface::backgroundPicture()
{
    // Laid at natural size from the top-left corner over the back colour.
    PictureSurface s(QSize(6, 6), mapcolour::kBlack);
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(qRgb(200, 100, 50));
    s.setPicture(picture);
    s.Box(0, 0, 3, 3, 255);
    const QImage held = s.Image(); // as on the clipboard
    // Laid again, and brought back by Cls, over what was drawn.
    s.setPicture(picture);
    QCOMPARE(pixelsOf(s, rgb(200, 100, 50)), QRegion(0, 0, 3, 2));
    s.Box(0, 0, 5, 5, 255);
    s.Cls();
    QCOMPARE(pixelsOf(s, rgb(200, 100, 50)), QRegion(0, 0, 3, 2));
    QCOMPARE(held.pixel(1, 1), qRgb(255, 0, 0));
    // The picture changed in place since: laid afresh, not from memory.
    picture.setPixel(1, 1, qRgb(1, 2, 3));
    s.setPicture(picture);
    QCOMPARE(s.Point(1, 1), rgb(1, 2, 3));
    // A larger picture is cut at the surface's size, not scaled...
    QImage big(12, 12, QImage::Format_RGB32);
    big.fill(qRgb(1, 1, 1));
    big.setPixel(5, 5, qRgb(7, 7, 7));
    s.setPicture(big);
    QCOMPARE(s.size(), QSize(6, 6));
    QCOMPARE(s.Point(5, 5), rgb(7, 7, 7));
    // ...unless the surface takes the picture's size.
    s.setPicture(big, true);
    QCOMPARE(s.size(), QSize(12, 12));
    QCOMPARE(s.Point(11, 11), rgb(1, 1, 1));
}

void TestPictureSurface::userScaleWithYUpwards()
{
    // The sieve: 529 x 530 pixels, y growing upwards from the bottom edge.
    PictureSurface s(QSize(529, 530));
    const float textPixels = s.TextWidth(QStringLiteral("Specie 12"));
    s.Scale(0, 530, 529, 0);
    QCOMPARE(s.toPixel(0, 530), QPoint(0, 0));
    QCOMPARE(s.toPixel(47, 47), QPoint(47, 483));
    QCOMPARE(s.Point(0, 0), -1); // the bottom edge line lies just outside
    s.PSet(2, 2, 0);
    QCOMPARE(s.Image().pixel(2, 528), qRgb(0, 0, 0));
    QCOMPARE(s.toUnits(QPointF(2, 528)), QPointF(2, 2));
    s.scalePixels();
    QCOMPARE(s.toPixel(2, 2), QPoint(2, 2));
    // Text extents are in the current units.
    s.Scale(0, 0, 1058, 265);
    QCOMPARE(s.TextWidth(QStringLiteral("Specie 12")), textPixels * 2.0f);
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
    s.Print(QStringLiteral("100"));
    const QRegion changed = QRegion(0, 0, 80, 40) - pixelsOf(s, mapcolour::kWhite);
    QVERIFY(changed.boundingRect().width() > 10);
    QCOMPARE(changed - QRegion(10, 12, w, h), QRegion());
    QCOMPARE(QPointF(s.CurrentX, s.CurrentY), QPointF(10, 12 + h));
}

void TestPictureSurface::printAllMatchesPrintOneByOne()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    const std::vector<PictureSurface::Caption> captions{
        {3, 4, QStringLiteral("1")}, {10, 9, QStringLiteral("27")}, {12, 11, QStringLiteral("100")}, {70, 30, QStringLiteral("99")}};
    PictureSurface one(QSize(80, 40));
    PictureSurface all(QSize(80, 40));
    for (PictureSurface *s : {&one, &all}) {
        s->setFont(font);
        s->ForeColor = rgb(0, 24, 72);
    }
    for (const PictureSurface::Caption &c : captions) {
        one.CurrentX = c.x;
        one.CurrentY = c.y;
        one.Print(c.text);
    }
    all.PrintAll(captions);
    QCOMPARE(all.Image(), one.Image());
    QCOMPARE(QPointF(all.CurrentX, all.CurrentY), QPointF(one.CurrentX, one.CurrentY));
}

void TestPictureSurface::changesAreReported()
{
    PictureSurface s(QSize(30, 30));
    QRect reported;
    s.setChangeListener([&](const QRect &r) { reported |= r; });
    // Boxes from either corner and lines drawn up and to the left report
    // every pixel they set.
    for (const auto &[line, box] : {std::pair{QLine(9, 9, 0, 0), QRect(0, 0, 10, 10)},
                                    std::pair{QLine(5, 5, 4, 10), QRect(4, 5, 2, 6)}}) {
        reported = QRect();
        s.Line(line.x1(), line.y1(), line.x2(), line.y2(), 0);
        QCOMPARE(reported, box);
        reported = QRect();
        s.Box(line.x1(), line.y1(), line.x2(), line.y2(), 0);
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
