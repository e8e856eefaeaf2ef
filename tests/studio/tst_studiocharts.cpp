// Every chart of the studio is the report's own drawing in the box it is
// given: ink inside, none outside, at the sizes a window can have and at a
// device pixel ratio of 2; and what the window shows and copies is that
// drawing at the widget's size, not a picture scaled up.
#include "AnalisiRun.h"
#include "ChartScale.h"
#include "ChartTab.h"
#include "ChartView.h"
#include "ClassTab.h"
#include "StudioTabs.h"
#include "Workspace.h"

#include <QApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

struct Ink {
    long inside = 0;
    long outside = 0;
    QRect stray; // where the ink outside lies
};

// Pixels that are not white, inside and outside a box of device pixels.
Ink inkAround(const QImage &image, const QRect &box)
{
    Ink ink;
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0xffffff) != 0xffffff) {
                if (box.contains(x, y)) {
                    ++ink.inside;
                } else {
                    ++ink.outside;
                    ink.stray |= QRect(x, y, 1, 1);
                }
            }
    }
    return ink;
}

} // namespace

class TestStudioCharts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void inkStaysInTheBox_data();
    void inkStaysInTheBox();
    void theWidgetDrawsAtItsOwnSize();

private:
    QTemporaryDir dir_;
    std::unique_ptr<Workspace> workspace_;
    std::vector<StudioTab *> tabs_;
    Selection selection_;
};

void TestStudioCharts::initTestCase()
{
    workspace_ = std::make_unique<Workspace>(analisitest::areaFolder());
    QVERIFY(workspace_->setArea(analisitest::areaFolder()).isEmpty());
    // The fullest survey a user can make, and a class of uneven sizes.
    const int full = workspace_->open(analisitest::design(dir_.path(), QStringLiteral("cento.txt"), 100, 1));
    const int few = workspace_->open(analisitest::design(dir_.path(), QStringLiteral("pochi.txt"), 3, 2));
    const int some = workspace_->open(analisitest::design(dir_.path(), QStringLiteral("venti.txt"), 20, 3));
    QCOMPARE(workspace_->surveys().size(), size_t(3));
    selection_ = {full, {full, few, some}};
    tabs_ = studiotabs::make();
    for (StudioTab *tab : tabs_) {
        tab->refresh(*workspace_, selection_);
        QVERIFY2(tab->blockedText().isEmpty(), qPrintable(tab->title() + tab->blockedText()));
    }
}

void TestStudioCharts::cleanupTestCase()
{
    qDeleteAll(tabs_);
}

void TestStudioCharts::inkStaysInTheBox_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("view");
    QTest::addColumn<QSize>("widget");
    QTest::addColumn<qreal>("ratio");
    int charts = 0;
    for (size_t i = 0; i < tabs_.size(); ++i) {
        auto *chart = qobject_cast<ChartTab *>(tabs_[i]);
        if (!chart)
            continue;
        ++charts;
        const int views = qobject_cast<ClassTab *>(chart) ? 4 : 1;
        for (int view = 0; view < views; ++view) {
            chart->setCurrentView(view);
            const QSizeF least = chart->minimumBox() + QSizeF(2, 2) * chartscale::kMargin;
            const QList<QSize> sizes{least.toSize() + QSize(1, 1), QSize(1600, 480), QSize(520, 1300), QSize(1500, 900),
                                     QSize(320, 260)};
            for (const QSize &size : sizes)
                for (const qreal ratio : {1.0, 2.0})
                    QTest::addRow("%s %d, %dx%d at %g", qPrintable(chart->title().remove(QLatin1Char('&'))), view,
                                  size.width(), size.height(), ratio)
                        << int(i) << view << size << ratio;
        }
    }
    QVERIFY(charts >= 8);
}

void TestStudioCharts::inkStaysInTheBox()
{
    QFETCH(int, tab);
    QFETCH(int, view);
    QFETCH(QSize, widget);
    QFETCH(qreal, ratio);
    auto *chart = qobject_cast<ChartTab *>(tabs_[size_t(tab)]);
    chart->setCurrentView(view);
    // The chart drawn as the widget draws it, in a picture with room all
    // round, so that ink past its box would show.
    const QPoint offset(40, 30);
    QImage image(((QSizeF(widget) + QSizeF(80, 60)) * ratio).toSize(), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    const double s = chartscale::scale(QSizeF(widget), chart->minimumBox());
    const QRectF box = chartscale::box(QSizeF(widget), s);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.translate(offset);
        p.scale(s, s);
        chart->draw(p, box);
    }
    const QRectF onDevice(QPointF(offset) * ratio + box.topLeft() * s * ratio, box.size() * s * ratio);
    // Anti-aliasing may tint the pixel a line's edge runs through.
    const Ink ink = inkAround(image, onDevice.toAlignedRect());
    const double area = onDevice.width() * onDevice.height();
    QVERIFY2(ink.inside > area / 200, qPrintable(QStringLiteral("only %1 pixels of ink").arg(ink.inside)));
    const QRectF stray(ink.stray.topLeft() - onDevice.topLeft(), QSizeF(ink.stray.size()));
    QVERIFY2(ink.outside == 0, qPrintable(QStringLiteral("%1 pixels of ink outside the box, over (%2, %3) %4 x %5 of its %6 x %7")
                                              .arg(ink.outside)
                                              .arg(stray.x()).arg(stray.y()).arg(stray.width()).arg(stray.height())
                                              .arg(onDevice.width()).arg(onDevice.height())));
}

void TestStudioCharts::theWidgetDrawsAtItsOwnSize()
{
    auto *map = qobject_cast<ChartTab *>(tabs_.front());
    QVERIFY(map);
    ChartView *view = map->view();
    view->resize(900, 700);
    // At twice the pixels the picture holds more detail, not the same
    // picture made bigger: the drawing is made again for the device.
    const QImage one = view->image(1);
    const QImage two = view->image(2);
    QCOMPARE(one.size(), QSize(900, 700));
    QCOMPARE(two.size(), QSize(1800, 1400));
    const QImage doubled = one.scaled(two.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation).convertToFormat(two.format());
    long differing = 0;
    for (int y = 0; y < two.height(); ++y)
        for (int x = 0; x < two.width(); ++x)
            differing += two.pixel(x, y) != doubled.pixel(x, y);
    QVERIFY2(differing > 10000, qPrintable(QString::number(differing)));

    // The picture is the chart's own drawing in its box at the scale the
    // widget's size gives.
    QImage byHand(QSize(900, 700), QImage::Format_ARGB32_Premultiplied);
    byHand.fill(Qt::white);
    {
        QPainter p(&byHand);
        p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
        const double s = chartscale::scale(QSizeF(900, 700), map->minimumBox());
        p.scale(s, s);
        map->draw(p, chartscale::box(QSizeF(900, 700), s));
    }
    QCOMPARE(one.convertToFormat(QImage::Format_RGB32), byHand.convertToFormat(QImage::Format_RGB32));

    // A larger widget draws a larger chart, its text too: the box in points
    // grows with the widget until the text reaches reading size.
    view->resize(1800, 1100);
    const QRectF big = view->chartBox();
    view->resize(700, 600);
    const QRectF small = view->chartBox();
    QVERIFY(big.width() > small.width() - 1e-9 || big.height() > small.height() - 1e-9);
    QVERIFY(small.width() >= map->minimumBox().width() && small.height() >= map->minimumBox().height());
    QCOMPARE(view->toChart(QPointF(100, 50)) * chartscale::scale(QSizeF(700, 600), map->minimumBox()), QPointF(100, 50));
}

QTEST_MAIN(TestStudioCharts)
#include "tst_studiocharts.moc"
