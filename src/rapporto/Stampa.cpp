#include "Stampa.h"

#include <QDir>
#include <QFontMetricsF>
#include <QImage>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPdfWriter>
#include <QSaveFile>

namespace stampa {

namespace {

constexpr double kAltoPie = 26;

} // namespace

QFont carattere(int punti, bool grassetto, bool corsivo)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(punti);
    f.setBold(grassetto);
    f.setItalic(corsivo);
    f.setHintingPreference(QFont::PreferNoHinting);
    // Any spacing turns the shaper's ligatures off, so that "fi" in a PDF
    // stays two letters when it is searched, copied or read back.
    f.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
    return f;
}

QRectF corpoPagina()
{
    return QRectF(kMargine, kMargine - 6, kLarghezza - 2 * kMargine, kAltezza - 2 * kMargine - kAltoPie + 6);
}

double altezzaTesto(const QFont &font, double larghezza, const QString &testo)
{
    return QFontMetricsF(font)
        .boundingRect(QRectF(0, 0, larghezza, 1e6), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, testo)
        .height();
}

double paragrafo(QPainter &p, const QRectF &box, double y, const QString &testo, int punti, const QColor &colore)
{
    const QFont f = carattere(punti);
    const double h = altezzaTesto(f, box.width(), testo);
    p.save();
    p.setFont(f);
    p.setPen(colore);
    p.drawText(QRectF(box.left(), y, box.width(), h + 2), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, testo);
    p.restore();
    return y + h;
}

void sezione(QPainter &p, const QRectF &box, double y, const QString &testo)
{
    p.save();
    p.setFont(carattere(11, true));
    p.setPen(kInchiostro);
    p.drawText(QRectF(box.left(), y, box.width(), 14), Qt::AlignLeft | Qt::AlignVCenter, testo);
    p.restore();
}

namespace {

// Where the rule under a title lies.
double rigaTitolo(const QRectF &c, const QString &sotto)
{
    double y = c.top() + 22;
    if (!sotto.isEmpty())
        y += altezzaTesto(carattere(9), c.width(), sotto) + 2;
    return y + 2;
}

} // namespace

QRectF sottoTitolo(const QRectF &c, const QString &sotto)
{
    const double y = rigaTitolo(c, sotto);
    return QRectF(c.left(), y + 10, c.width(), c.bottom() - y - 10);
}

QRectF titolo(QPainter &p, const Pagina &pagina, const QString &testo, const QString &sotto)
{
    const QRectF c = pagina.corpo;
    p.save();
    p.setPen(stampa::kInchiostro);
    p.setFont(carattere(15, true));
    p.drawText(QRectF(c.left(), c.top(), c.width(), 20), Qt::AlignLeft | Qt::AlignVCenter, testo);
    if (!sotto.isEmpty()) {
        p.setFont(carattere(9));
        p.setPen(kTenue);
        p.drawText(QRectF(c.left(), c.top() + 22, c.width(), 1e4), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, sotto);
    }
    const double y = rigaTitolo(c, sotto);
    p.setPen(QPen(kInchiostro, 0.8));
    p.drawLine(QPointF(c.left(), y), QPointF(c.right(), y));
    p.restore();
    return sottoTitolo(c, sotto);
}

void testoAlone(QPainter &p, const QRectF &box, int flags, const QString &testo)
{
    p.save();
    if (p.paintEngine() && p.paintEngine()->type() == QPaintEngine::Raster) {
        // In a picture the halo is the text drawn around itself in white,
        // which the glyph cache makes cheap: a map's hundred numbers stay
        // well within a screen's redraw.
        const QPen pen = p.pen();
        p.setPen(QColor(255, 255, 255, 230));
        for (const QPointF d : {QPointF(-1, 0), QPointF(1, 0), QPointF(0, -1), QPointF(0, 1), QPointF(-0.75, -0.75),
                                QPointF(0.75, -0.75), QPointF(-0.75, 0.75), QPointF(0.75, 0.75)})
            p.drawText(box.translated(d * 1.1), flags, testo);
        p.setPen(pen);
    } else {
        // In a PDF copies of the text would be found by a search and read
        // aloud: there the halo is the text's outline, stroked.
        const QFontMetricsF fm(p.font());
        const QRectF r = fm.boundingRect(box, flags, testo);
        QPainterPath path;
        path.addText(QPointF(r.left(), r.top() + fm.ascent()), p.font(), testo);
        const QPen pen = p.pen();
        p.setPen(QPen(QColor(255, 255, 255, 230), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
        p.setPen(pen);
    }
    p.drawText(box, flags, testo);
    p.restore();
}

Documento::Documento(QString titolo, rapporto::Pie pie)
    : titolo_(std::move(titolo))
    , pie_(std::move(pie))
{
}

void Documento::aggiungi(Disegno pagina)
{
    pagine_.push_back(std::move(pagina));
}

void Documento::disegna(QPainter &p, int k) const
{
    Pagina pagina;
    pagina.foglio = QRectF(0, 0, kLarghezza, kAltezza);
    pagina.corpo = corpoPagina();
    pagina.numero = k + 1;
    pagina.totale = pagine();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::TextAntialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);

    p.save();
    pagine_[k](p, pagina);
    p.restore();

    // The footer: what a teacher needs to tell handed-in pages apart.
    const double y = kAltezza - kMargine - kAltoPie + 10;
    p.save();
    p.setPen(QPen(kTenue, 0.5));
    p.drawLine(QPointF(kMargine, y), QPointF(kLarghezza - kMargine, y));
    p.setFont(carattere(7));
    const QFontMetricsF fm(p.font());
    const double w = kLarghezza - 2 * kMargine;
    const QString destra = QStringLiteral("Fondalis %1 · %2 · pagina %3 di %4")
                               .arg(pie_.versione, pie_.data)
                               .arg(pagina.numero)
                               .arg(pagina.totale);
    const double wd = fm.horizontalAdvance(destra) + 2;
    const QString file = fm.elidedText(QStringLiteral("File: %1").arg(pie_.file), Qt::ElideMiddle, w - wd - 12);
    const QString area = fm.elidedText(QStringLiteral("Area: %1").arg(pie_.area), Qt::ElideMiddle, w - wd - 12);
    p.drawText(QRectF(kMargine, y + 3, w, 10), Qt::AlignLeft | Qt::AlignTop, file);
    p.drawText(QRectF(kMargine, y + 13, w, 10), Qt::AlignLeft | Qt::AlignTop, area);
    p.drawText(QRectF(kMargine, y + 3, w, 10), Qt::AlignRight | Qt::AlignTop, destra);
    p.drawText(QRectF(kMargine, y + 13, w, 10), Qt::AlignRight | Qt::AlignTop, titolo_);
    p.restore();
}

bool Documento::scriviPdf(QIODevice &out) const
{
    QPdfWriter writer(&out);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    writer.setResolution(kDpiPdf);
    writer.setTitle(titolo_);
    writer.setCreator(QStringLiteral("Fondalis %1").arg(pie_.versione));
    return dipingi(writer);
}

bool Documento::dipingi(QPagedPaintDevice &dispositivo) const
{
    // The device's own resolution: a PDF writer's, or a printer's.
    const double scala = dispositivo.logicalDpiX() / 72.0;
    QPainter p;
    if (!p.begin(&dispositivo))
        return false;
    for (int k = 0; k < pagine(); ++k) {
        if (k > 0 && !dispositivo.newPage())
            return false;
        p.save();
        p.scale(scala, scala);
        disegna(p, k);
        p.restore();
    }
    return p.end();
}

QSize Documento::dimensionePng()
{
    return QSize(qRound(kLarghezza * kDpiPng / 72.0), qRound(kAltezza * kDpiPng / 72.0));
}

QImage Documento::immagine(int k) const
{
    QImage img(dimensionePng(), QImage::Format_RGB32);
    img.fill(Qt::white);
    img.setDotsPerMeterX(qRound(kDpiPng / 0.0254));
    img.setDotsPerMeterY(qRound(kDpiPng / 0.0254));
    QPainter p(&img);
    p.scale(kDpiPng / 72.0, kDpiPng / 72.0);
    disegna(p, k);
    p.end();
    return img;
}

QString Documento::scrivi(const QString &pdfPath, const QString &pngFolder) const
{
    QSaveFile file(pdfPath);
    if (!file.open(QIODevice::WriteOnly))
        return QObject::tr("Impossibile scrivere %1: %2").arg(pdfPath, file.errorString());
    if (!scriviPdf(file) || !file.commit())
        return QObject::tr("Impossibile scrivere %1: %2").arg(pdfPath, file.errorString());
    if (pngFolder.isEmpty())
        return {};
    if (!QDir().mkpath(pngFolder))
        return QObject::tr("Impossibile creare la cartella %1").arg(pngFolder);
    for (int k = 0; k < pagine(); ++k) {
        const QString path = QDir(pngFolder).filePath(QStringLiteral("pagina-%1.png").arg(k + 1, 2, 10, QLatin1Char('0')));
        QSaveFile png(path);
        if (!png.open(QIODevice::WriteOnly) || !immagine(k).save(&png, "PNG") || !png.commit())
            return QObject::tr("Impossibile scrivere %1").arg(path);
    }
    return {};
}

} // namespace stampa
