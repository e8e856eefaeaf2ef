#include "MapTab.h"

#include "MappaStazioni.h"
#include "StationTips.h"
#include "Workspace.h"

void MapTab::fill(const Workspace &workspace, const Selection &selection)
{
    report_ = workspace.report(*selection.current);
    survey_ = *workspace.survey(*selection.current)->lettura.rilievo;
}

void MapTab::release()
{
    report_.reset();
    survey_ = {};
}

void MapTab::draw(QPainter &p, const QRectF &box) const
{
    if (report_)
        grafici::mappaStazioni(p, box, *report_);
}

QSizeF MapTab::minimumBox() const
{
    return grafici::mappaMinima();
}

QString MapTab::toolTipAt(QPointF point, const QRectF &box) const
{
    const auto i = stationtips::at(survey_, grafici::riquadroMappa(box), point);
    return i ? stationtips::text(survey_.stazioni[*i]) : QString();
}

void MapTab::clickedAt(QPointF point, const QRectF &box)
{
    if (const auto i = stationtips::at(survey_, grafici::riquadroMappa(box), point))
        emit stationChosen(survey_.stazioni[*i].numero);
}
