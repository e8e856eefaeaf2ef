#include "ZonationTab.h"

#include "GraficiRilievo.h"
#include "Workspace.h"

void ZonationTab::fill(const Workspace &workspace, const Selection &selection)
{
    report_ = workspace.report(*selection.current);
}

void ZonationTab::draw(QPainter &p, const QRectF &box) const
{
    if (report_)
        grafici::grigliaZonazione(p, box, report_->zonazione);
}

QSizeF ZonationTab::minimumBox() const
{
    return grafici::zonazioneMinima(Velmara::kNumSpecie);
}
