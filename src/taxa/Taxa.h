#pragma once

#include "MapColour.h"
#include "PictureSurface.h"

#include <QString>
#include <QWidget>

class QPushButton;
class SurfaceView;

// "Specie presenti nell'area": the gallery of the twelve taxa. It keeps its
// own picture size, so that opening it never changes the sieve's mesh, and
// reads nothing of the survey.
class Taxa : public QWidget
{
    Q_OBJECT

public:
    explicit Taxa(const QString &dataFolder);
    ~Taxa() override;

    // Reads the sprite sheet, shows the window in front and draws the
    // gallery over its picture. False, with a message naming the file, when
    // the sheet cannot be used; the window is then left as it was.
    bool MostraTaxa();
    void ChiudiTaxa_Click();

    PictureSurface TaxaPic; // never shown: the sprite sheet
    PictureSurface FiguraSp;
    SurfaceView *FiguraView = nullptr;
    QPushButton *ChiudiTaxa = nullptr;

    ColourValue ColoreTrasp = 0;
    int LarghezzaPx = 0;
    int AltezzaPx = 0;

private:
    QString folder_;
};
