#pragma once

#include <QRectF>
#include <QSizeF>

// Where the data window's controls go for an outer window size (frame and
// title bar included), all in twips. The window never gets smaller than
// 4100 x 2000; the text box takes what the buttons leave.
struct DatiLayout {
    static constexpr double kMinWidth = 4100;
    static constexpr double kMinHeight = 2000;

    static DatiLayout forOuterSize(QSizeF outer);

    QSizeF outer;      // the size the window must have
    QRectF tabella;    // text box
    QRectF command2;   // "Salva"
    QRectF copiaDati;  // "Copia"
    QRectF command1;   // "Chiudi"
};
