#include "TruthTab.h"

#include "GraficiRilievo.h"
#include "Workspace.h"

void TruthTab::fill(const Workspace &workspace, const Selection &selection)
{
    report_ = workspace.report(*selection.current);
}

void TruthTab::draw(QPainter &p, const QRectF &box) const
{
    if (report_)
        grafici::stimeRilievo(p, box, report_->specie, report_->totali);
}

QSizeF TruthTab::minimumBox() const
{
    return grafici::stimeMinime(Velmara::kNumSpecie, 2);
}
