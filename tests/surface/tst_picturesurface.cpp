#include "PictureSurface.h"
#include "SurfaceView.h"
#include "TestData.h"

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
    void drawingSetsExactlyItsPixelsAndReportsThem();
    void backgroundPicture();
    void userScaleWithYUpwards();
    void printAllMatchesPrintOneByOne();
    void viewOutlivesItsSurface();
};

void TestPictureSurface::drawingSetsExactlyItsPixelsAndReportsThem()
{
    PictureSurface s(QSize(20, 20));
    QRect reported;
    s.setChangeListener([&](const QRect &r) { reported |= r; });
    // Outside the picture nothing is read or drawn; halves go to the even pixel.
    for (const QPointF outside : {QPointF(20, 0), QPointF(-1, 3), QPointF(1e9, -1e9)})
        QCOMPARE(s.Point(float(outside.x()), float(outside.y())), -1);
    s.PSet(-1, 4, 0);
    s.PSet(20, 20, 0);
    QVERIFY(reported.isEmpty());
    s.PSet(5.5f, 6.5f, rgb(1, 2, 3));
    QCOMPARE(pixelsOf(s, rgb(1, 2, 3)), QRegion(6, 6, 1, 1));

    // Boxes and lines include both ends, from whichever comes first, are
    // clipped at the edges and report every pixel they set; a diagonal has
    // one pixel per column.
    QRegion diagonal;
    for (int i = 0; i <= 4; ++i)
        diagonal += QRect(10 + i, i, 1, 1);
    const struct {
        bool box;
        QLine ends;
        QRegion pixels;
    } shapes[] = {{true, QLine(8, 8, 12, 12), QRegion(8, 8, 5, 5)},   {true, QLine(12, 12, 8, 8), QRegion(8, 8, 5, 5)},
                  {true, QLine(-2, -2, 2, 2), QRegion(0, 0, 3, 3)},   {true, QLine(17, 17, 21, 21), QRegion(17, 17, 3, 3)},
                  {false, QLine(2, 9, 2, 3), QRegion(2, 3, 1, 7)},    {false, QLine(0, 15, 19, 15), QRegion(0, 15, 20, 1)},
                  {false, QLine(14, 4, 10, 0), diagonal}};
    for (const auto &[box, e, pixels] : shapes) {
        s.Cls();
        reported = QRect();
        box ? s.Box(e.x1(), e.y1(), e.x2(), e.y2(), 255) : s.Line(e.x1(), e.y1(), e.x2(), e.y2(), 255);
        QCOMPARE(pixelsOf(s, 255), pixels);
        QCOMPARE(reported, pixels.boundingRect());
    }
}

void TestPictureSurface::backgroundPicture()
{
    // Laid at natural size from the top-left corner over the back colour,
    // and brought back by Cls over what was drawn.
    PictureSurface s(QSize(6, 6), mapcolour::kBlack);
    QImage picture = testdata::image(3, 2, [](int, int) { return qRgb(200, 100, 50); });
    s.setPicture(picture);
    s.Box(0, 0, 5, 5, 255);
    const QImage held = s.Image(); // as on the clipboard
    s.Cls();
    QCOMPARE(pixelsOf(s, rgb(200, 100, 50)), QRegion(0, 0, 3, 2));
    QCOMPARE(pixelsOf(s, mapcolour::kBlack), QRegion(0, 0, 6, 6) - QRegion(0, 0, 3, 2));
    QCOMPARE(held.pixel(1, 1), qRgb(255, 0, 0));
    // The picture changed in place since: laid afresh, not from memory.
    picture.setPixel(1, 1, qRgb(1, 2, 3));
    s.setPicture(picture);
    QCOMPARE(s.Point(1, 1), rgb(1, 2, 3));
    // A larger picture is cut at the surface's size, not scaled, unless the
    // surface takes the picture's size.
    const QImage big = testdata::image(12, 12, [](int x, int y) { return x == 5 && y == 5 ? qRgb(7, 7, 7) : qRgb(1, 1, 1); });
    s.setPicture(big);
    QCOMPARE(s.size(), QSize(6, 6));
    QCOMPARE(s.Point(5, 5), rgb(7, 7, 7));
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

// Each Print changes only its text box and moves one text line down; all
// captions at once give the same pixels.
void TestPictureSurface::printAllMatchesPrintOneByOne()
{
    const std::vector<PictureSurface::Caption> captions{
        {3, 4, QStringLiteral("1")}, {10, 9, QStringLiteral("27")}, {12, 11, QStringLiteral("100")}, {70, 30, QStringLiteral("99")}};
    PictureSurface one(QSize(80, 40));
    PictureSurface all(QSize(80, 40));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    for (PictureSurface *s : {&one, &all}) {
        s->setFont(font);
        s->ForeColor = rgb(0, 24, 72);
    }
    QRegion boxes;
    for (const PictureSurface::Caption &c : captions) {
        one.CurrentX = c.x;
        one.CurrentY = c.y;
        one.Print(c.text);
        const QSize box(qRound(one.TextWidth(c.text)), qRound(one.TextHeight(c.text)));
        boxes += QRect(QPoint(int(c.x), int(c.y)), box);
        QCOMPARE(QPointF(one.CurrentX, one.CurrentY), QPointF(c.x, c.y + box.height()));
    }
    const QRegion changed = QRegion(0, 0, 80, 40) - pixelsOf(one, mapcolour::kWhite);
    QVERIFY(changed.boundingRect().width() > 60);
    QCOMPARE(changed - boxes, QRegion());
    all.PrintAll(captions);
    QCOMPARE(all.Image(), one.Image());
    QCOMPARE(QPointF(all.CurrentX, all.CurrentY), QPointF(one.CurrentX, one.CurrentY));
}

void TestPictureSurface::viewOutlivesItsSurface()
{
    // A window's surfaces are members and go before its child widgets.
    auto surface = std::make_unique<PictureSurface>(QSize(4, 4));
    SurfaceView view(*surface);
    surface.reset();
    // A view deleted first leaves its surface drawable.
    PictureSurface kept(QSize(4, 4));
    delete new SurfaceView(kept);
    kept.PSet(1, 1, 0);
    QCOMPARE(kept.Point(1, 1), 0);
}

QTEST_MAIN(TestPictureSurface)
#include "tst_picturesurface.moc"
