#include "EffortTab.h"

#include "CostruzioneComunita.h"
#include "GraficiComunita.h"
#include "Stampa.h"
#include "Workspace.h"

namespace {

constexpr double kLeastChart = 240;

// The legend and the sentence under the chart.
double below(const rapporto::Sforzo &s, double width)
{
    return 10 + graficicomunita::kAltezzaLegendaAccumulo + 10
           + stampa::altezzaTesto(stampa::carattere(9), width, costruzionecomunita::fraseSforzo(s));
}

} // namespace

void EffortTab::fill(const Workspace &workspace, const Selection &selection)
{
    pages_ = workspace.community(*selection.current);
    if (shown())
        setNote(costruzionecomunita::sottotitoloSforzo());
    else
        setNote(pages_ ? costruzionecomunita::senzaSforzo(pages_->motivoSforzo) : QString(), false);
}

const rapporto::Sforzo *EffortTab::shown() const
{
    return pages_ && pages_->sforzo ? &*pages_->sforzo : nullptr;
}

void EffortTab::draw(QPainter &p, const QRectF &box) const
{
    const rapporto::Sforzo *s = shown();
    if (!s)
        return;
    const double chart = box.height() - below(*s, box.width());
    graficicomunita::accumulo(p, QRectF(box.left(), box.top(), box.width(), chart), *s);
    double y = box.top() + chart + 10;
    graficicomunita::legendaAccumulo(p, QRectF(box.left(), y, box.width(), graficicomunita::kAltezzaLegendaAccumulo), *s);
    y += graficicomunita::kAltezzaLegendaAccumulo + 10;
    stampa::paragrafo(p, box, y, costruzionecomunita::fraseSforzo(*s), 9);
}

QSizeF EffortTab::minimumBox() const
{
    const rapporto::Sforzo *s = shown();
    const double width = graficicomunita::kLarghezzaLegendaAccumulo;
    return QSizeF(width, kLeastChart + (s ? below(*s, width) : 0.0));
}
