#include "PictureSurface.h"
#include "Setaccio.h"
#include "SieveDrawing.h"
#include "SieveFiles.h"
#include "SurfaceView.h"
#include "Taxa.h"
#include "TaxaGallery.h"
#include "TestData.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

class TestTaxa : public QObject
{
    Q_OBJECT

private slots:
    void galleryOverAnOpenSieve();
};

// The gallery opened over the sieve of a station, then reopened, closed and
// opened afresh.
void TestTaxa::galleryOverAnOpenSieve()
{
    QTemporaryDir dir;
    // The rows of the other orientations hold noise: none of it may show.
    testdata::FaunaSet set;
    set.fauna = [](int x, int y) {
        return y >= 50 ? qRgb((x * 7) % 256, (y * 3) % 256, 77) : testdata::defaultFauna(x, y);
    };
    QVERIFY(testdata::writeMapSet(dir.path()) && testdata::writeFaunaSet(dir.path(), set));
    Velmara state;
    state.SplashFatto = true;
    VelmaraMain m(state, dir.path());
    QVERIFY(m.Form_Load());
    const auto openGallery = [&m] {
        QTest::mouseClick(m.MostraTaxa, Qt::LeftButton);
        return qobject_cast<Taxa *>(m.taxaWindow());
    };
    const auto deleteClosedWindows = [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); };

    state.StazSel = 1;
    for (int sp = 1; sp <= 12; ++sp)
        state.Conteggi[1][sp] = 30;
    m.MostraSetaccio();
    auto *sieve = qobject_cast<Setaccio *>(m.setaccioWindow());
    QPointer<Taxa> t = openGallery();
    QVERIFY(sieve && t && t->isVisible());
    QCOMPARE(t->windowTitle() + '|' + t->ChiudiTaxa->text(), QStringLiteral("Specie presenti nell'area|Chiudi"));
    const QImage gallery = t->FiguraSp.Image();
    QCOMPARE(t->FiguraView->grab().toImage().convertToFormat(QImage::Format_RGB32), gallery);
    const QRgb white = qRgb(255, 255, 255);
    QList<QRect> drawn;
    for (int i = 1; i <= 12; ++i) {
        // Two columns of six from (A, B): cell offset (ox, oy) of the first
        // row of the sheet at (A - 1 + ox, B - 1 + oy), the key left white.
        const QPoint o(i <= 6 ? 10 : 170, 10 + 60 * ((i - 1) % 6));
        for (int oy = 2; oy <= 47; ++oy) {
            for (int ox = 2; ox <= 47; ++ox) {
                const QRgb cell = testdata::defaultFauna((i - 1) * 50 + ox, oy);
                QCOMPARE(gallery.pixel(o.x() - 1 + ox, o.y() - 1 + oy), cell == testdata::faunaKey() ? white : cell);
            }
        }
        // The label, right of the picture, from (A + 60, B + 15).
        const QString label = QStringLiteral("Specie %1").arg(i);
        QCOMPARE(taxagallery::etichetta(i), label);
        drawn << QRect(o + QPoint(1, 1), QSize(46, 46))
              << QRect(o.x() + 60, o.y() + 15, int(t->FiguraSp.TextWidth(label)) + 1,
                       int(t->FiguraSp.TextHeight(label)) + 1);
    }
    // Nothing, not even the rings of the cells, outside pictures and labels.
    for (int y = 0; y < gallery.height(); ++y) {
        for (int x = 0; x < gallery.width(); ++x) {
            const auto at = [x, y](const QRect &r) { return r.contains(x, y); };
            if (gallery.pixel(x, y) != white && std::none_of(drawn.begin(), drawn.end(), at))
                QFAIL(qPrintable(QStringLiteral("a stray pixel at %1,%2").arg(x).arg(y)));
        }
    }

    // Guards the gallery's own picture size: shared with the sieve, opening
    // the gallery shrank the mesh of the open sieve at its next redraw.
    QCOMPARE(QSize(state.LarghezzaPx, state.AltezzaPx), QSize(529, 530));
    QTest::mouseClick(sieve->Option1[2], Qt::LeftButton);
    PictureSurface expected(QSize(529, 530));
    expected.Scale(0, 530, 529, 0);
    sievedrawing::CaricaSetaccio(expected, sievefiles::caricaSfondo(dir.path(), 2).image,
                                 sievefiles::caricaFauna(dir.path()).image, state);
    QCOMPARE(sieve->SetaccioPic.Image(), expected.Image());

    // Opened again without closing, it shows the same picture: printed over
    // the last drawing, the smoothed edges of the labels would grow darker.
    QCOMPARE(openGallery(), t.data());
    QVERIFY(t->isVisible() && t->FiguraSp.Image() == gallery);
    // "Chiudi" closes it, the next click opens a fresh one, the exit closes it.
    QTest::mouseClick(t->ChiudiTaxa, Qt::LeftButton);
    deleteClosedWindows();
    QVERIFY(t.isNull() && !m.taxaWindow());
    QPointer<Taxa> again = openGallery();
    QVERIFY(again && again->isVisible());
    m.Esci_Click();
    deleteClosedWindows();
    QVERIFY(again.isNull());
}

QTEST_MAIN(TestTaxa)
#include "tst_taxa.moc"
