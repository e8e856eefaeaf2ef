#pragma once

#include "ChartTab.h"
#include "RapportoComunita.h"

#include <memory>

// How many stations are enough, as on the report's "Sforzo di
// campionamento" page: the survey's accumulation curve with its band, the
// true curve and richness, the estimators with their errors, the legend
// with their figures and the sentence that reads them.
class EffortTab : public ChartTab
{
    Q_OBJECT

public:
    QString title() const override { return tr("&Sforzo"); }
    void draw(QPainter &p, const QRectF &box) const override;
    QSizeF minimumBox() const override;
    // What it shows: sforzo's figures; null while it has none.
    const rapporto::Sforzo *shown() const;

protected:
    void fill(const Workspace &workspace, const Selection &selection) override;
    void release() override { pages_.reset(); }

private:
    std::shared_ptr<const rapporto::PagineComunita> pages_;
};
