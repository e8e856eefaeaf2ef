#pragma once

#include "ChartTab.h"
#include "RapportoDati.h"

#include <memory>

// Each species' counts against depth over the true profile.
class ZonationTab : public ChartTab
{
    Q_OBJECT

public:
    QString title() const override { return tr("&Zonazione"); }
    void draw(QPainter &p, const QRectF &box) const override;
    QSizeF minimumBox() const override;

protected:
    void fill(const Workspace &workspace, const Selection &selection) override;
    void release() override { report_.reset(); }

private:
    std::shared_ptr<const rapporto::Rilievo> report_;
};
