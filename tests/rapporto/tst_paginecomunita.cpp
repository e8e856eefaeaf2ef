#include "Accumulo.h"
#include "AnalisiRun.h"
#include "Comunita.h"
#include "CostruzioneComunita.h"
#include "GraficiComunita.h"
#include "Numeri.h"
#include "TestData.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <random>

namespace {

using analisitest::analisi;
using analisitest::areaFolder;

QString disegno(const QString &cartella, int n, int seme)
{
    return analisitest::design(cartella, QStringLiteral("rilievo-%1-%2.txt").arg(n).arg(seme), n, seme);
}

// The PDF's text with its lines joined: sentences wrap.
QString testo(const QString &pdf)
{
    return analisitest::pdfFlowText(pdf).simplified();
}

// Dark pixels of an image inside and outside a rectangle.
std::pair<int, int> inchiostro(const QImage &img, const QRect &dentro)
{
    int in = 0, fuori = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 200)
                (dentro.contains(x, y) ? in : fuori) += 1;
    return {in, fuori};
}

} // namespace

class TestPagineComunita : public QObject
{
    Q_OBJECT

private slots:
    void pagineDelRapporto();
    void opzioniDelRapporto_data();
    void opzioniDelRapporto();
    void troppoPoche();
    void graficiAOgniMisura();
    void etichetteSenzaSovrapporsi();
};

// The three pages in the report of a crowded survey: their figures are the
// commands' own, and no ink falls in a side margin.
void TestPagineComunita::pagineDelRapporto()
{
    QTemporaryDir dir;
    const QString file = disegno(dir.path(), 100, 2);
    QVERIFY(!file.isEmpty());
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    const QString png = dir.filePath(QStringLiteral("pagine"));
    const analisitest::Run e = analisi({QStringLiteral("rapporto"), file, QStringLiteral("-o"), pdf, QStringLiteral("--png"), png});
    QVERIFY2(e.status == 0 && e.err.isEmpty(), qPrintable(e.err));
    const QString t = testo(pdf);

    const Rilievo r = *rilievo::leggiFile(file).rilievo;
    const Area area = *area::carica(areaFolder()).area;
    const comunita::Analisi a = *comunita::analizza(r, {}).analisi;
    QVERIFY2(t.contains(QStringLiteral("Stress %1: %2 secondo Clarke").arg(numeri::fisso(a.nmds.stress, 2), ordinamento::lettura(a.nmds.stress))),
             qPrintable(t.left(300)));
    QVERIFY(t.contains(QStringLiteral("correlazione cofenetica %1").arg(numeri::fisso(a.cofenetica, 3))));
    QVERIFY(t.contains(QStringLiteral("R globale %1, p = %2").arg(numeri::fisso(a.anosim->r, 3), numeri::fisso(a.anosim->p, 3))));
    QVERIFY(t.contains(QStringLiteral("gruppo 1 (%1 staz.) similarità media %2 %")
                           .arg(std::count(a.gruppi.begin(), a.gruppi.end(), 1))
                           .arg(numeri::fisso(a.simperEntro.front().tabella.media, 1))));
    const assemblaggi::Mappa m = assemblaggi::calcola(area, a.opzioni.trasformazione, a.opzioni.taglio);
    QVERIFY(t.contains(costruzionecomunita::fraseRand(comunita::confronta(a, r, m).rand).simplified()));
    const accumulo::Sforzo s = *accumulo::sforzo(r, area).sforzo;
    QVERIFY(t.contains(QStringLiteral("Jackknife 1: %1 ± %2").arg(numeri::fisso(s.stime.jack1, 2), numeri::fisso(s.stime.jack1Errore, 2))));
    QVERIFY(t.contains(QStringLiteral("specie presenti nel mare: %1").arg(s.vera.specie)));

    // The community pages are the last three; each has ink, none in the margins.
    const QStringList pagine = QDir(png).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    QVERIFY(pagine.size() >= 6);
    for (int k = int(pagine.size()) - 3; k < int(pagine.size()); ++k) {
        const QImage img(QDir(png).filePath(pagine[k]));
        // 40 pt of side margin are 83 pixels at 150 dpi; a glyph may overhang a little.
        const auto [dentro, fuori] = inchiostro(img, QRect(75, 0, img.width() - 150, img.height()));
        QVERIFY2(dentro > 20000, qPrintable(pagine[k]));
        QVERIFY2(fuori == 0, qPrintable(QStringLiteral("%1 has ink in its side margins").arg(pagine[k])));
    }
}

void TestPagineComunita::opzioniDelRapporto_data()
{
    QTest::addColumn<QStringList>("opzioni");
    QTest::addColumn<int>("stato");
    QTest::addColumn<QString>("testo"); // in the PDF for 0, in the errors otherwise
    QTest::newRow("in gruppi, presenza") << QStringList{"--gruppi", "3", "--trasformazione", "presenza"} << 0
                                         << "trasformazione: presenza/assenza; taglio in 3 gruppi";
    QTest::newRow("taglio") << QStringList{"--taglio", "55"} << 0 << "taglio al 55.0 %";
    QTest::newRow("taglio oltre 100") << QStringList{"--taglio", "101"} << 2 << "da 0 a 100";
    QTest::newRow("troppi gruppi") << QStringList{"--gruppi", "13"} << 2 << "13 gruppi sono più delle 12 stazioni";
    QTest::newRow("strati") << QStringList{"--strati", "5"} << 2 << "almeno due limiti";
}

void TestPagineComunita::opzioniDelRapporto()
{
    QFETCH(QStringList, opzioni);
    QFETCH(int, stato);
    QFETCH(QString, testo);
    QTemporaryDir dir;
    const QString file = disegno(dir.path(), 12, 4);
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    const analisitest::Run e = analisi(QStringList{QStringLiteral("rapporto"), file, QStringLiteral("-o"), pdf} + opzioni);
    QCOMPARE(e.status, stato);
    if (stato == 0)
        QVERIFY2(::testo(pdf).contains(testo), qPrintable(::testo(pdf).left(400)));
    else
        QVERIFY2(e.err.contains(testo) && !QFile::exists(pdf), qPrintable(e.err));
    // The class report takes none of them.
    QCOMPARE(analisi({QStringLiteral("classe"), file, QStringLiteral("--seme"), QStringLiteral("2")}).status, 2);
}

// Two stations with organisms: no communities to compare, and the page says why.
void TestPagineComunita::troppoPoche()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("due.txt"));
    QVERIFY(testdata::put(file, QByteArray("staz.\t1\t2\t3\r\nx (m)\t2000\t2500\t4000\r\ny (m)\t2000\t2000\t1000\r\n"
                                           "prof. (m)\t40\t42\t90\r\n\r\nsp. 1\t5\t0\t0\r\nsp. 2\t0\t3\t0\r\n"
                                           "sp. 3\t0\t0\t0\r\nsp. 4\t0\t0\t0\r\nsp. 5\t0\t0\t0\r\nsp. 6\t0\t0\t0\r\n"
                                           "sp. 7\t0\t0\t0\r\nsp. 8\t0\t0\t0\r\nsp. 9\t0\t0\t0\r\nsp. 10\t0\t0\t0\r\n"
                                           "sp. 11\t0\t0\t0\r\nsp. 12\t0\t0\t0\r\n")));
    const QString pdf = dir.filePath(QStringLiteral("r.pdf"));
    const analisitest::Run e = analisi({QStringLiteral("rapporto"), file, QStringLiteral("-o"), pdf});
    QCOMPARE(e.status, 0);
    const QString t = testo(pdf);
    QVERIFY2(t.contains(QStringLiteral("Le comunità non si possono confrontare: servono almeno 3 stazioni con organismi")), qPrintable(t));
    QVERIFY(t.contains(QStringLiteral("Sforzo di campionamento")) && !t.contains(QStringLiteral("Le comunità vere")));
}

// A window draws the same charts at any size: each keeps to its rectangle.
void TestPagineComunita::graficiAOgniMisura()
{
    QTemporaryDir dir;
    const Rilievo r = *rilievo::leggiFile(disegno(dir.path(), 30, 6)).rilievo;
    const Area area = *area::carica(areaFolder()).area;
    const QImage carta = QImage(areaFolder() + QStringLiteral("/base.bmp")).convertToFormat(QImage::Format_RGB32);
    const rapporto::PagineComunita d = costruzionecomunita::pagine(r, area, carta, {});
    QVERIFY(d.comunita && d.vere && d.sforzo);
    // The cut line: at the similarity, or between the last step kept and the first undone.
    QCOMPARE(d.comunita->dendrogramma.taglio, 40.0);
    comunita::Opzioni tre;
    tre.taglio.gruppi = 3;
    const rapporto::Dendrogramma albero = costruzionecomunita::comunita(*comunita::analizza(r, tre).analisi).dendrogramma;
    const auto &f = albero.fusioni;
    QCOMPARE(albero.taglio, (f[f.size() - 3].livello + f[f.size() - 2].livello) / 2.0);
    QCOMPARE(albero.testoTaglio, QStringLiteral("taglio in 3 gruppi"));
    const std::function<void(QPainter &, const QRectF &)> grafici[] = {
        [&](QPainter &p, const QRectF &q) { graficicomunita::dendrogramma(p, q, d.comunita->dendrogramma); },
        [&](QPainter &p, const QRectF &q) { graficicomunita::ordinamento(p, q, d.comunita->ordinamento); },
        [&](QPainter &p, const QRectF &q) { graficicomunita::mappaAssemblaggi(p, q, *d.vere); },
        [&](QPainter &p, const QRectF &q) { graficicomunita::accumulo(p, q, *d.sforzo); },
    };
    for (const QSize misura : {QSize(320, 240), QSize(900, 640)}) {
        for (int g = 0; g < int(std::size(grafici)); ++g) {
            const auto &grafico = grafici[g];
            QImage img(misura + QSize(80, 80), QImage::Format_RGB32);
            img.fill(Qt::white);
            const QRect dentro(QPoint(40, 40), misura);
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            grafico(p, QRectF(dentro));
            p.end();
            const auto [in, fuori] = inchiostro(img, dentro.adjusted(-1, -1, 1, 1));
            QVERIFY(in > misura.width() * 2);
            QVERIFY2(fuori == 0, qPrintable(QStringLiteral("chart %1 at %2 x %3: %4 pixels outside").arg(g).arg(misura.width()).arg(misura.height()).arg(fuori)));
        }
    }
}

void TestPagineComunita::etichetteSenzaSovrapporsi()
{
    std::mt19937 caso(5);
    std::uniform_real_distribution<double> u(0.0, 200.0);
    std::vector<QPointF> punti;
    std::vector<QSizeF> testi;
    for (int k = 0; k < 150; ++k) {
        punti.emplace_back(u(caso), u(caso) / 2);
        testi.emplace_back(6 + k % 3 * 4, 6);
    }
    const QRectF riquadro(0, 0, 200, 100);
    const QRectF ostacolo(90, 40, 20, 20);
    const std::vector<QRectF> posti = graficicomunita::posizioniEtichette(punti, 3, testi, riquadro, {ostacolo});
    QCOMPARE(posti.size(), punti.size());
    int messe = 0;
    for (std::size_t i = 0; i < posti.size(); ++i) {
        if (posti[i].isEmpty())
            continue;
        ++messe;
        QVERIFY(riquadro.contains(posti[i]) && !posti[i].intersects(ostacolo));
        QCOMPARE(posti[i].size(), testi[i]);
        for (std::size_t j = 0; j < posti.size(); ++j) {
            QVERIFY(j == i || !posti[i].intersects(posti[j]));
            QVERIFY(!posti[i].intersects(QRectF(punti[j] - QPointF(3, 3), QSizeF(6, 6))));
        }
    }
    QVERIFY(messe > 20 && messe < 150); // crowded: some must give way
    // Alone, a label takes its first place: right of the point.
    QCOMPARE(graficicomunita::posizioniEtichette({{50, 50}}, 3, {{10, 6}}, riquadro).front(), QRectF(54, 47, 10, 6));
}

QTEST_MAIN(TestPagineComunita)
#include "tst_paginecomunita.moc"
