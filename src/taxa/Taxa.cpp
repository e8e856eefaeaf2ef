#include "Taxa.h"

#include "SieveFiles.h"
#include "SurfaceView.h"
#include "TaxaGallery.h"
#include "Twips.h"
#include "WindowStyle.h"

#include <QMessageBox>
#include <QPushButton>

Taxa::Taxa(const QString &dataFolder)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
    , FiguraSp(QSize(twips::toPx(taxagallery::kFiguraSpWidthTwips),
                     twips::toPx(taxagallery::kFiguraSpHeightTwips)),
               mapcolour::kWhite)
    , folder_(dataFolder)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Specie presenti nell'area"));
    setFont(windowstyle::uiFont());
    setFixedSize(twips::size(4965, 6330));
    FiguraSp.setFont(windowstyle::uiFont());

    FiguraView = new SurfaceView(FiguraSp, 0, this);
    FiguraView->setGeometry(twips::rect(120, 120, 4695, 5535));

    ChiudiTaxa = new QPushButton(tr("Chiudi"), this);
    ChiudiTaxa->setGeometry(twips::rect(1920, 5840, 1095, 375));
    ChiudiTaxa->setAutoDefault(false);
    connect(ChiudiTaxa, &QPushButton::clicked, this, &Taxa::ChiudiTaxa_Click);
}

Taxa::~Taxa() = default;

bool Taxa::MostraTaxa()
{
    const sievefiles::Picture fauna = sievefiles::caricaFauna(folder_);
    if (!fauna.ok()) {
        QMessageBox::warning(isVisible() ? this : nullptr, tr("Fondalis"), fauna.message);
        return false;
    }
    show();
    raise();
    activateWindow();

    TaxaPic.setPicture(fauna.image, true);
    TaxaPic.scalePixels();
    ColoreTrasp = TaxaPic.Point(2, 2);
    repaint();

    // Drawn afresh rather than over the last drawing: printed twice, the
    // smoothed edges of the labels would grow darker with every opening.
    FiguraSp.Cls();
    FiguraSp.scalePixels();
    AltezzaPx = twips::toPx(taxagallery::kFiguraSpHeightTwips);
    LarghezzaPx = twips::toPx(taxagallery::kFiguraSpWidthTwips);
    taxagallery::disegnaTaxa(FiguraSp, TaxaPic.Image(), ColoreTrasp, LarghezzaPx, AltezzaPx);
    FiguraView->Refresh();
    return true;
}

void Taxa::ChiudiTaxa_Click()
{
    close();
}
