#pragma once

#include "ChartTab.h"
#include "RapportoDati.h"

#include <vector>

// The survey's species by abundance: the survey alone, no area needed.
class RankTab : public ChartTab
{
    Q_OBJECT

public:
    QString title() const override { return tr("&Rango e abbondanza"); }
    TabNeeds needs() const override { return {false, false}; }
    void draw(QPainter &p, const QRectF &box) const override;
    QSizeF minimumBox() const override;

protected:
    void fill(const Workspace &workspace, const Selection &selection) override;
    void release() override { abundances_.clear(); }

private:
    std::vector<rapporto::Abbondanza> abundances_;
};
