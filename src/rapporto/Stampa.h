#pragma once

#include "RapportoDati.h"

#include <QColor>
#include <QFont>
#include <QIODevice>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QString>

#include <functional>
#include <vector>

// Printed pages: A4 drawn in points (1/72 inch), the same drawing sent to a
// PDF and, on request, to PNG pictures.
namespace stampa {

inline const QColor kInchiostro(30, 30, 30);
inline const QColor kGriglia(220, 222, 228);
inline const QColor kTenue(110, 110, 110);
inline const QColor kStima(28, 78, 150);    // the survey's estimates
inline const QColor kVero(214, 96, 20);     // the truth
inline const QColor kMancato(196, 30, 40);  // an interval that misses the truth
inline const QColor kFasciaRiga(242, 244, 248);

constexpr double kLarghezza = 595.28; // A4 in points
constexpr double kAltezza = 841.89;
constexpr double kMargine = 40;
constexpr int kDpiPng = 150;
// Text is measured on the device: at one resolution, the same lines fit.
constexpr int kDpiPdf = 300;

// DejaVu Sans at a size in points; the pages are drawn in points, so the
// size is a pixel size there.
QFont carattere(int punti, bool grassetto = false, bool corsivo = false);

// The page's content box, below its title and above its footer.
struct Pagina {
    QRectF foglio;
    QRectF corpo;
    int numero = 0;
    int totale = 0;
};

using Disegno = std::function<void(QPainter &, const Pagina &)>;

// The content box of every page, below the margin and above the footer.
QRectF corpoPagina();

// The height of text wrapped to a width.
double altezzaTesto(const QFont &font, double larghezza, const QString &testo);
// Text wrapped to the box's width from y down; returns where it ends.
double paragrafo(QPainter &p, const QRectF &box, double y, const QString &testo, int punti = 9,
                 const QColor &colore = kInchiostro);

// A section's heading at y, 14 points high.
void sezione(QPainter &p, const QRectF &box, double y, const QString &testo);

// A title and subtitle at the top of a page; gives what is left below.
QRectF titolo(QPainter &p, const Pagina &pagina, const QString &testo, const QString &sotto = {});
// What titolo leaves below, without drawing.
QRectF sottoTitolo(const QRectF &corpo, const QString &sotto);

// Text with a thin white halo, readable over a map or a chart.
void testoAlone(QPainter &p, const QRectF &box, int flags, const QString &testo);

class Documento
{
public:
    Documento(QString titolo, rapporto::Pie pie);

    void aggiungi(Disegno pagina);
    int pagine() const { return int(pagine_.size()); }

    // The whole document as a PDF.
    bool scriviPdf(QIODevice &out) const;
    // Every page on a device set up for A4 with no margins, a printer too.
    bool dipingi(QPagedPaintDevice &dispositivo) const;
    // Page k (0-based) at kDpiPng.
    QImage immagine(int k) const;
    static QSize dimensionePng();

    // Writes the PDF through a save file and, when pngFolder is not empty,
    // pagina-01.png, pagina-02.png, ... there. An Italian message on failure.
    QString scrivi(const QString &pdfPath, const QString &pngFolder) const;

private:
    void disegna(QPainter &p, int k) const;

    QString titolo_;
    rapporto::Pie pie_;
    std::vector<Disegno> pagine_;
};

} // namespace stampa
