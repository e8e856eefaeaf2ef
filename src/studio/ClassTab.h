#pragma once

#include "ChartTab.h"
#include "RapportoDati.h"

#include <memory>

// The selected surveys as a class, as the pages of the classe report show
// them: the table of estimates against the truth, then every survey's
// estimate of each species, and of N and S, around the true mean.
class ClassTab : public ChartTab
{
    Q_OBJECT

public:
    ClassTab();

    QString title() const override { return tr("&Classe"); }
    TabNeeds needs() const override { return {true, true}; }
    void draw(QPainter &p, const QRectF &box) const override;
    QSizeF minimumBox() const override;

protected:
    void fill(const Workspace &workspace, const Selection &selection) override;
    void release() override { class_.reset(); }

private:
    std::shared_ptr<const rapporto::Classe> class_;
};
