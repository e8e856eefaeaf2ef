#pragma once

#include "ChartTab.h"
#include "RapportoComunita.h"

#include <memory>

// The area's true assemblages under the survey's groups, as on the report's
// "Le comunità vere" page: the map with the zones and the stations, the
// assemblages' legend, the table of groups against assemblages and the
// adjusted Rand index in a sentence. The map beside them or above them,
// whichever leaves it larger.
class TrueCommunitiesTab : public ChartTab
{
    Q_OBJECT

public:
    QString title() const override { return tr("Comunità v&ere"); }
    void draw(QPainter &p, const QRectF &box) const override;
    QSizeF minimumBox() const override;
    const rapporto::ComunitaVere *shown() const;

protected:
    void fill(const Workspace &workspace, const Selection &selection) override;
    void release() override { pages_.reset(); }

private:
    std::shared_ptr<const rapporto::PagineComunita> pages_;
};
