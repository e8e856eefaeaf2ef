#pragma once

#include "ChartTab.h"
#include "RapportoDati.h"
#include "Rilievo.h"

#include <memory>

// The map with the stations, as on the report's first page. The pointer
// over a station tells its number, depth and counts; a click picks it.
class MapTab : public ChartTab
{
    Q_OBJECT

public:
    QString title() const override { return tr("&Mappa"); }
    void draw(QPainter &p, const QRectF &box) const override;
    QSizeF minimumBox() const override;
    QString toolTipAt(QPointF point, const QRectF &box) const override;
    void clickedAt(QPointF point, const QRectF &box) override;

protected:
    void fill(const Workspace &workspace, const Selection &selection) override;
    void release() override;

private:
    std::shared_ptr<const rapporto::Rilievo> report_;
    Rilievo survey_;
};
