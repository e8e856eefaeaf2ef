#include "ColourConversion.h"
#include "DialogAnswerer.h"
#include "MapColour.h"
#include "SurfaceView.h"
#include "SurveyChecks.h"
#include "SurveyMap.h"
#include "TestData.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>
#include <memory>

// The main window under thousands of random clicks, drags and label toggles
// from a fixed seed: after every one the survey's tables, captions and map
// must agree with the images. The map widget's 2-pixel frame puts map pixel
// (X, Y) at (X + 2, Y + 2).
class TestRandomSurvey : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void randomSurveyKeepsMapAndTablesTrue();

private:
    QTemporaryDir dir_;
    std::unique_ptr<Velmara> v_;
    std::unique_ptr<VelmaraMain> w_;
    // No dialog is expected (the refusal of a 101st station has its own
    // test); any that comes up is closed within moments and noted.
    std::unique_ptr<DialogAnswerer> answerer_;
    QStringList fatal_;
    QImage base_;

    SurveyMap &map() { return w_->map(); }
    static QPoint at(int X, int Y) { return QPoint(X + 2, Y + 2); }
    QString brokenInvariant(int step);
};

void TestRandomSurvey::init()
{
    testdata::MapSet set;
    set.species = surveychecks::variedSpecies;
    QVERIFY(testdata::writeMapSet(dir_.path(), set));
    QVERIFY(testdata::writeFaunaSet(dir_.path())); // a click on a station opens the sieve
    v_ = std::make_unique<Velmara>();
    v_->SplashFatto = true;
    answerer_ = std::make_unique<DialogAnswerer>();
    w_ = std::make_unique<VelmaraMain>(*v_, dir_.path());
    w_->setFatalReporter([this](const QString &m) { fatal_ << m; });
    QVERIFY(w_->Form_Load());
    base_ = w_->map().Mappa.Image();
}

void TestRandomSurvey::cleanup()
{
    QVERIFY2(answerer_->unexpected().isEmpty(), qPrintable(answerer_->unexpected().join(QLatin1Char('\n'))));
    QVERIFY2(fatal_.isEmpty(), qPrintable(fatal_.join(QLatin1Char('\n'))));
    w_.reset();
    answerer_.reset();
}

// What must hold after every step of the random survey; empty when it does.
QString TestRandomSurvey::brokenInvariant(int step)
{
    const auto fail = [step](const QString &what) { return QStringLiteral("step %1: %2").arg(step).arg(what); };
    const int n = map().NumStazioni;
    if (n < 0 || n > Velmara::kMaxStazioni)
        return fail(QStringLiteral("%1 stations").arg(n));
    if (w_->nstazioni->text() != stationCountText(n) || w_->MostraDati->isEnabled() != (n > 0))
        return fail(QStringLiteral("count label or buttons out of step"));
    if (map().ProfCursore < -75 || map().ProfCursore > 179)
        return fail(QStringLiteral("depth under the cursor %1").arg(map().ProfCursore));
    for (int i = 1; i <= n; ++i) {
        const int X = v_->Stazioni[i][1];
        const int Y = v_->Stazioni[i][2];
        // Every station keeps what the images say at its own place.
        if (v_->Stazioni[i][3] != surveychecks::depthAt(X, Y))
            return fail(QStringLiteral("station %1 has depth %2").arg(i).arg(v_->Stazioni[i][3]));
        for (int sp = 1; sp <= Velmara::kNumSpecie; ++sp) {
            const ColourValue pixel = colour::fromQRgb(surveychecks::variedSpecies(sp, X, Y));
            const int count = surveychecks::depthAt(X, Y) > 0 ? mapcolour::ConteggioDaColore(pixel) : 0;
            if (v_->Conteggi[i][sp] != count)
                return fail(QStringLiteral("station %1 species %2 count %3").arg(i).arg(sp).arg(v_->Conteggi[i][sp]));
        }
        for (int j = 1; j < i; ++j) {
            if (std::abs(v_->Stazioni[j][1] - X) < 5 && std::abs(v_->Stazioni[j][2] - Y) < 5)
                return fail(QStringLiteral("markers of %1 and %2 overlap").arg(j).arg(i));
        }
    }
    const QImage expected = surveychecks::withMarkers(base_, map().stationPositions());
    const QImage &shown = map().Mappa.Image();
    if (!v_->IDVisibili)
        return shown == expected ? QString() : fail(QStringLiteral("map differs from the base map with markers"));
    // With labels: pure red exactly where the markers are.
    constexpr QRgb red = 0xFFFF0000;
    for (int y = 0; y < shown.height(); ++y) {
        const auto *now = reinterpret_cast<const QRgb *>(shown.constScanLine(y));
        const auto *markers = reinterpret_cast<const QRgb *>(expected.constScanLine(y));
        for (int x = 0; x < shown.width(); ++x) {
            if ((now[x] == red) != (markers[x] == red))
                return fail(QStringLiteral("pure red at %1,%2 is no marker, or a marker is broken").arg(x).arg(y));
        }
    }
    return {};
}

// Thousands of random clicks, drags and label toggles on the map, from a
// fixed seed, with the survey checked against the map after every one.
void TestRandomSurvey::randomSurveyKeepsMapAndTablesTrue()
{
    VelmaraMain &window = *w_;
    Velmara &state = *v_;
    SurveyMap &map = window.map();
    SurfaceView *view = window.mappaView();
    QRandomGenerator random(0x5EAB0770);
    // Over the map and its frame for clicks; well beyond it for drags.
    const auto anywhere = [&] { return QPoint(random.bounded(0, 516), random.bounded(0, 516)); };
    const auto beyond = [&] { return QPoint(random.bounded(-60, 580), random.bounded(-60, 580)); };
    const auto onMarker = [&] {
        const int i = 1 + random.bounded(int(map.NumStazioni));
        // A pixel of the marker's visible part: near an edge it is cut off.
        const auto visible = [&](int centre) { return std::clamp(centre + random.bounded(-2, 3), 0, 511); };
        return at(visible(state.Stazioni[i][1]), visible(state.Stazioni[i][2]));
    };
    int placed = 0, deleted = 0, opened = 0, toggles = 0, drags = 0;

    for (int step = 0; step < 3000; ++step) {
        const int n = map.NumStazioni;
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
                p = at(state.Stazioni[i][1] + dx, state.Stazioni[i][2] + random.bounded(-8, 9));
            }
            QTest::mouseMove(view, p);
            QTest::mouseClick(view, Qt::LeftButton, {}, p);
            placed += map.NumStazioni - n;
        } else if (roll < 40 + deleteShare && n > 0) {
            const QPoint p = onMarker();
            QTest::mouseMove(view, p);
            QTest::mouseClick(view, Qt::RightButton, {}, p);
            deleted += n - map.NumStazioni;
            if (map.NumStazioni != n - 1)
                QFAIL(qPrintable(QStringLiteral("step %1: a right click on a marker deleted nothing").arg(step)));
        } else if (roll < 93) {
            const int kind = random.bounded(10);
            if (kind < 5) {
                QTest::mouseMove(view, beyond());
            } else if (kind < 6 && n > 0 && random.bounded(8) == 0) {
                const QPoint p = onMarker(); // opens that station's sample, which takes a while
                QTest::mouseClick(view, Qt::LeftButton, {}, p);
                if (map.NumStazioni != n || state.StazSel < 1 || state.StazSel > n)
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
        const QString broken = brokenInvariant(step);
        QVERIFY2(broken.isEmpty(), qPrintable(broken));
    }
    QVERIFY(placed > 500 && deleted > 400 && opened > 5 && drags > 100 && toggles > 100);

    // Every station deleted by hand, the labels hidden: the bare map.
    for (int n = map.NumStazioni; n > 0; --n) {
        QTest::mouseClick(view, Qt::RightButton, {}, onMarker());
        QCOMPARE(int(map.NumStazioni), n - 1);
    }
    if (state.IDVisibili)
        window.MostraID(); // the button is disabled without stations
    QCOMPARE(map.Mappa.Image(), base_);
}

QTEST_MAIN(TestRandomSurvey)
#include "tst_randomsurvey.moc"
