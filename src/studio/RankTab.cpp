#include "RankTab.h"

#include "Costruzione.h"
#include "Grafici.h"
#include "GraficiRilievo.h"
#include "Workspace.h"

void RankTab::fill(const Workspace &workspace, const Selection &selection)
{
    abundances_ = costruzione::abbondanze(*workspace.survey(*selection.current)->lettura.rilievo);
}

void RankTab::draw(QPainter &p, const QRectF &box) const
{
    grafici::rangoAbbondanza(p, box, abundances_);
}

QSizeF RankTab::minimumBox() const
{
    return grafici::rangoMinimo();
}
