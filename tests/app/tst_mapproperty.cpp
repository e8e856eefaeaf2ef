#include "ColourConversion.h"
#include "DialogAnswerer.h"
#include "SurfaceView.h"
#include "SurveyMap.h"
#include "TestData.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>

// Thousands of random clicks, drags and label toggles on the map, from a
// fixed seed, with the survey checked against the map after every one.
class TestMapProperty : public QObject
{
    Q_OBJECT

private slots:
    void randomSurveyKeepsMapAndTablesTrue();

private:
    VelmaraMain *w_ = nullptr;
    Velmara *v_ = nullptr;
    QImage base_;

    SurveyMap &map() { return w_->map(); }
    QString checkInvariants(int step);
};

namespace {

constexpr QRgb kRed = 0xFFFF0000;

QPoint widgetPoint(int X, int Y) { return QPoint(X + 2, Y + 2); }

int depthAt(int X, int Y) { return *mapcolour::ProfonditaDaColore(colour::fromQRgb(testdata::defaultBati(X, Y))); }

} // namespace

QString TestMapProperty::checkInvariants(int step)
{
    const auto fail = [step](const QString &what) { return QStringLiteral("step %1: %2").arg(step).arg(what); };
    const int n = map().NumStazioni;
    if (n < 0 || n > Velmara::kMaxStazioni)
        return fail(QStringLiteral("%1 stations").arg(n));
    if (w_->nstazioni->text() != stationCountText(n) || w_->MostraDati->isEnabled() != (n > 0))
        return fail(QStringLiteral("count label or buttons out of step"));
    if (map().ProfCursore < -75 || map().ProfCursore > 179)
        return fail(QStringLiteral("depth under the cursor %1").arg(map().ProfCursore));

    const QImage &shown = map().Mappa.Image();
    int markerPixels = 0;
    for (int i = 1; i <= n; ++i) {
        const int X = v_->Stazioni[i][1];
        const int Y = v_->Stazioni[i][2];
        // Every station keeps what the images say at its own place.
        const int depth = depthAt(X, Y);
        if (v_->Stazioni[i][3] != depth)
            return fail(QStringLiteral("station %1 at %2,%3 has depth %4, not %5").arg(i).arg(X).arg(Y).arg(v_->Stazioni[i][3]).arg(depth));
        for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp) {
            const int count = v_->Conteggi[i][sp];
            const int expected = depth > 0 ? mapcolour::ConteggioDaColore(colour::fromQRgb(testdata::defaultSpecies(sp, X, Y))) : 0;
            if (count < 0 || count > 63 || count != expected)
                return fail(QStringLiteral("station %1 species %2 count %3").arg(i).arg(sp).arg(count));
        }
        for (int j = 1; j < i; ++j) {
            if (std::abs(v_->Stazioni[j][1] - X) < 5 && std::abs(v_->Stazioni[j][2] - Y) < 5)
                return fail(QStringLiteral("markers of %1 and %2 overlap").arg(j).arg(i));
        }
        const QRect block = QRect(X - 2, Y - 2, 5, 5).intersected(shown.rect());
        for (int y = block.top(); y <= block.bottom(); ++y) {
            const auto *row = reinterpret_cast<const QRgb *>(shown.constScanLine(y));
            for (int x = block.left(); x <= block.right(); ++x) {
                if (row[x] != kRed)
                    return fail(QStringLiteral("marker of station %1 broken at %2,%3").arg(i).arg(x).arg(y));
            }
        }
        markerPixels += block.width() * block.height();
    }

    if (!v_->IDVisibili) {
        // Without labels the map is exactly the base map with the markers.
        QImage expected = base_;
        for (int i = 1; i <= n; ++i) {
            const QRect block = QRect(v_->Stazioni[i][1] - 2, v_->Stazioni[i][2] - 2, 5, 5).intersected(expected.rect());
            for (int y = block.top(); y <= block.bottom(); ++y) {
                auto *row = reinterpret_cast<QRgb *>(expected.scanLine(y));
                std::fill(row + block.left(), row + block.right() + 1, kRed);
            }
        }
        if (shown != expected)
            return fail(QStringLiteral("map differs from the base map with markers"));
        return {};
    }
    // With labels: no pure red beyond the markers, which are whole.
    int red = 0;
    for (int y = 0; y < shown.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(shown.constScanLine(y));
        for (int x = 0; x < shown.width(); ++x)
            red += row[x] == kRed;
    }
    if (red != markerPixels)
        return fail(QStringLiteral("%1 pure red pixels for %2 marker pixels").arg(red).arg(markerPixels));
    return {};
}

void TestMapProperty::randomSurveyKeepsMapAndTablesTrue()
{
    QTemporaryDir dir;
    QVERIFY(testdata::writeMapSet(dir.path()));
    QVERIFY(testdata::writeFaunaSet(dir.path()));
    Velmara state;
    state.SplashFatto = true;
    VelmaraMain window(state, dir.path());
    window.setFatalReporter([](const QString &m) { QFAIL(qPrintable(m)); });
    QVERIFY(window.Form_Load());
    w_ = &window;
    v_ = &state;
    base_ = QImage(QDir(dir.path()).filePath(QStringLiteral("base.bmp"))).convertToFormat(QImage::Format_RGB32);
    QCOMPARE(map().Mappa.Image(), base_);
    DialogAnswerer answerer; // the refusal has its own test; anything here is a fault

    SurfaceView *view = window.mappaView();
    QRandomGenerator random(0x5EAB0770);
    // Over the map and its frame for clicks; well beyond it for drags.
    const auto anywhere = [&] { return QPoint(random.bounded(0, 516), random.bounded(0, 516)); };
    const auto beyond = [&] { return QPoint(random.bounded(-60, 580), random.bounded(-60, 580)); };
    const auto onMarker = [&] {
        const int i = 1 + random.bounded(int(map().NumStazioni));
        // A pixel of the marker's visible part: near an edge it is cut off.
        const auto visible = [&](int centre) { return std::clamp(centre + random.bounded(-2, 3), 0, 511); };
        return widgetPoint(visible(v_->Stazioni[i][1]), visible(v_->Stazioni[i][2]));
    };
    int placed = 0, deleted = 0, opened = 0, toggles = 0, drags = 0;

    const int steps = 3000;
    for (int step = 0; step < steps; ++step) {
        const int n = map().NumStazioni;
        const int before = n;
        // Deletions grow likelier as the survey fills, so that it keeps
        // moving between empty and full without reaching the refusal.
        const int roll = random.bounded(100);
        const int deleteShare = 5 + 45 * n / Velmara::kMaxStazioni;
        if (roll < 40 && n < Velmara::kMaxStazioni - 1) {
            // Often just beside a station, so that labels crowd each other
            // and the markers around them.
            QPoint p = anywhere();
            if (n > 0 && random.bounded(2)) {
                const int i = 1 + random.bounded(n);
                const int dx = random.bounded(5, 11) * (random.bounded(2) ? 1 : -1);
                p = widgetPoint(v_->Stazioni[i][1] + dx, v_->Stazioni[i][2] + random.bounded(-8, 9));
            }
            QTest::mouseMove(view, p);
            QTest::mouseClick(view, Qt::LeftButton, {}, p);
            placed += map().NumStazioni - before;
        } else if (roll < 40 + deleteShare && n > 0) {
            const QPoint p = onMarker();
            QTest::mouseMove(view, p);
            QTest::mouseClick(view, Qt::RightButton, {}, p);
            deleted += before - map().NumStazioni;
            if (map().NumStazioni != before - 1)
                QFAIL(qPrintable(QStringLiteral("step %1: a right click on a marker deleted nothing").arg(step)));
        } else if (roll < 93) {
            const int kind = random.bounded(10);
            if (kind < 5) {
                QTest::mouseMove(view, beyond());
            } else if (kind < 6 && n > 0 && random.bounded(8) == 0) {
                const QPoint p = onMarker(); // opens that station's sample, which takes a while
                QTest::mouseClick(view, Qt::LeftButton, {}, p);
                if (map().NumStazioni != before || v_->StazSel < 1 || v_->StazSel > n)
                    QFAIL(qPrintable(QStringLiteral("step %1: a click on a marker changed the survey").arg(step)));
                ++opened;
            } else {
                // Press, drag off the map and back, release somewhere.
                const bool full = n >= Velmara::kMaxStazioni - 1;
                const Qt::MouseButton button = kind < 8 && !full ? Qt::LeftButton : Qt::RightButton;
                const QPoint p = random.bounded(2) && n > 0 ? onMarker() : anywhere();
                QTest::mouseMove(view, p);
                QTest::mousePress(view, button, {}, p);
                QPoint last = p;
                for (int k = random.bounded(1, 4); k > 0; --k) {
                    last = beyond();
                    QTest::mouseMove(view, last);
                }
                QTest::mouseRelease(view, button, {}, last);
                if (view->cursor().shape() != Qt::CrossCursor)
                    QFAIL(qPrintable(QStringLiteral("step %1: no cross after the release").arg(step)));
                ++drags;
            }
        } else if (window.ToggleID->isEnabled()) {
            QTest::mouseClick(window.ToggleID, Qt::LeftButton);
            ++toggles;
        }
        const QString broken = checkInvariants(step);
        if (!broken.isEmpty())
            QFAIL(qPrintable(broken));
    }
    qDebug("%d placed, %d deleted, %d samples opened, %d drags, %d label toggles", placed, deleted, opened, drags,
           toggles);
    QVERIFY(placed > 500 && deleted > 400 && opened > 5 && drags > 100 && toggles > 100);
    QVERIFY(answerer.unexpected().isEmpty());

    // Every station deleted by hand, the labels hidden: the bare map.
    while (map().NumStazioni > 0) {
        const int n = map().NumStazioni;
        const QPoint p = onMarker();
        QTest::mouseClick(view, Qt::RightButton, {}, p);
        QCOMPARE(int(map().NumStazioni), n - 1);
        const QString broken = checkInvariants(steps);
        if (!broken.isEmpty())
            QFAIL(qPrintable(broken));
    }
    if (state.IDVisibili)
        QTest::mouseClick(window.ToggleID, Qt::LeftButton); // disabled with no station
    if (state.IDVisibili)
        window.MostraID();
    QVERIFY(!state.IDVisibili);
    QCOMPARE(map().Mappa.Image(), base_);
    w_ = nullptr;
    v_ = nullptr;
}

QTEST_MAIN(TestMapProperty)
#include "tst_mapproperty.moc"
