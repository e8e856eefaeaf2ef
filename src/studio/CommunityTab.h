#pragma once

#include "ChartTab.h"
#include "RapportoComunita.h"

#include <memory>

// The communities as the report's "Comunità" page shows them: the cluster
// tree with its cut, the nMDS plot with its stress and Clarke's reading,
// and below them the SIMPER comparisons that fit and the ANOSIM of the
// strata. Side by side in a wide window, one above the other otherwise.
class CommunityTab : public ChartTab
{
    Q_OBJECT

public:
    QString title() const override { return tr("Comu&nità"); }
    void draw(QPainter &p, const QRectF &box) const override;
    QSizeF minimumBox() const override;
    // What it shows: comunita's figures; null while it has none.
    const rapporto::Comunita *shown() const;

protected:
    void fill(const Workspace &workspace, const Selection &selection) override;
    void release() override { pages_.reset(); }

private:
    std::shared_ptr<const rapporto::PagineComunita> pages_;
};
