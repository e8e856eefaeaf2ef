#include "CommunityTab.h"

#include "CostruzioneComunita.h"
#include "GraficiComunita.h"
#include "Stampa.h"
#include "Workspace.h"

#include <algorithm>

namespace {

constexpr double kHeading = 16;     // a section's heading and the space under it
constexpr double kLegend = 104;     // the nMDS legend's column, as on the page
constexpr double kLeastTree = 150;
constexpr double kLeastPlot = 190;
constexpr double kLeastSimper = 58; // the table's header and four rows
constexpr double kSummaryWidth = 400;
constexpr double kPlotWidth = 400;
constexpr double kGap = 20;

double textHeight(double width, const QString &text)
{
    return stampa::altezzaTesto(stampa::carattere(8), width, text);
}

// The tree's leaves need room for their numbers.
double columnWidth(const rapporto::Comunita &c)
{
    return std::clamp(60 + 4.6 * c.stazioni, 480.0, 1000.0);
}

double leastPlot(const rapporto::Comunita &c)
{
    return std::max(kLeastPlot, graficicomunita::altezzaLegendaOrdinamento(c.ordinamento, c.numeroGruppi));
}

// What each part takes beside its chart, at a width: the headings, the
// sentences and the space between.
double treeExtra(const rapporto::Comunita &c, double width)
{
    return kHeading + 2 + textHeight(width, costruzionecomunita::fraseCofenetica(c)) + 8;
}

double stressHeight(const rapporto::Comunita &c, double width)
{
    return textHeight(width, costruzionecomunita::fraseStress(c.ordinamento, {}));
}

double plotExtra(const rapporto::Comunita &c, double width)
{
    return kHeading + 4 + stressHeight(c, width) + 10;
}

double summaryExtra(const rapporto::Comunita &c, double width)
{
    return kHeading + 8 + textHeight(width, c.anosim);
}

double stackedHeight(const rapporto::Comunita &c, double width)
{
    return treeExtra(c, width) + kLeastTree + plotExtra(c, width) + leastPlot(c) + summaryExtra(c, width) + kLeastSimper;
}

// The tree with its heading and the cophenetic sentence, filling the box.
void drawTree(QPainter &p, const QRectF &box, const rapporto::Comunita &c)
{
    stampa::sezione(p, box, box.top(), QStringLiteral("Raggruppamento per legame medio (UPGMA)"));
    const double tree = box.height() - treeExtra(c, box.width());
    graficicomunita::dendrogramma(p, QRectF(box.left(), box.top() + kHeading, box.width(), tree), c.dendrogramma);
    stampa::paragrafo(p, box, box.top() + kHeading + tree + 2, costruzionecomunita::fraseCofenetica(c), 8, stampa::kTenue);
}

// The plot with its legend beside it, and the stress under them: naming
// the points left without a number when `room` holds that sentence. The
// plot is never much wider than high, so that its points keep apart.
double drawPlot(QPainter &p, const QRectF &box, double room, const rapporto::Comunita &c)
{
    stampa::sezione(p, box, box.top(), QStringLiteral("Ordinamento nMDS"));
    const double y = box.top() + kHeading;
    const double height = box.height() - plotExtra(c, box.width());
    const double width = std::min(box.width() - kLegend - 10, 14 + 1.5 * height);
    const std::vector<QString> left = graficicomunita::ordinamento(p, QRectF(box.left(), y, width, height), c.ordinamento);
    graficicomunita::legendaOrdinamento(p, QRectF(box.left() + width + 10, y, kLegend, height), c.ordinamento, c.numeroGruppi);
    QString stress = costruzionecomunita::fraseStress(c.ordinamento, left);
    if (textHeight(box.width(), stress) > room)
        stress = costruzionecomunita::fraseStress(c.ordinamento, {});
    return stampa::paragrafo(p, box, y + height + 4, stress, 8) + 10;
}

// SIMPER's comparisons as far as they fit above the ANOSIM sentence, which
// closes the box.
void drawSummary(QPainter &p, const QRectF &box, const rapporto::Comunita &c)
{
    stampa::sezione(p, box, box.top(), QStringLiteral("SIMPER e ANOSIM"));
    double y = box.top() + kHeading;
    const double limit = box.bottom() - textHeight(box.width(), c.anosim) - 8;
    if (limit - y >= kLeastSimper)
        y = graficicomunita::tabellaSimper(p, QRectF(box.left(), y, box.width(), limit - y), c.simper);
    stampa::paragrafo(p, box, y + 6, c.anosim, 8);
}

// One part above the other; what the least heights leave goes to the
// charts, and then to the comparisons.
void drawStacked(QPainter &p, const QRectF &box, const rapporto::Comunita &c)
{
    const double width = box.width();
    const double spare = std::max(0.0, box.height() - stackedHeight(c, width));
    const double tree = treeExtra(c, width) + std::min(kLeastTree + 0.35 * spare, 320.0);
    const double plot = plotExtra(c, width) + std::min(leastPlot(c) + 0.45 * spare, 480.0);
    drawTree(p, QRectF(box.topLeft(), QSizeF(width, tree)), c);
    const double simper = box.height() - tree - plot - summaryExtra(c, width);
    const double y = drawPlot(p, QRectF(box.left(), box.top() + tree, width, plot), stressHeight(c, width) + simper - kLeastSimper, c);
    drawSummary(p, QRectF(box.left(), y, width, box.bottom() - y), c);
}

// The tree across the top, the plot and the comparisons side by side under it.
void drawUnderTree(QPainter &p, const QRectF &box, const rapporto::Comunita &c)
{
    const double room = box.height() - treeExtra(c, box.width());
    const double lower = std::max(room - std::clamp(0.38 * room, kLeastTree, 300.0), plotExtra(c, kPlotWidth) + leastPlot(c));
    drawTree(p, QRectF(box.topLeft(), QSizeF(box.width(), box.height() - lower)), c);
    const double plot = std::clamp(kLegend + 10 + 14 + 1.5 * (lower - 60), kPlotWidth, box.width() - kGap - kSummaryWidth);
    const double top = box.bottom() - lower;
    drawPlot(p, QRectF(box.left(), top, plot, lower), stressHeight(c, plot), c);
    drawSummary(p, QRectF(box.left() + plot + kGap, top, box.width() - plot - kGap, lower), c);
}

// The tree above the comparisons on the left, the plot on the right.
void drawSideBySide(QPainter &p, const QRectF &box, const rapporto::Comunita &c)
{
    const double width = (box.width() - kGap) / 2;
    const double room = box.height() - treeExtra(c, width) - summaryExtra(c, width);
    const double simper = 14 + 11.0 * double(c.simper.size());
    const double tree = treeExtra(c, width) + std::max(kLeastTree, std::min(std::max(room - simper, 0.5 * room), 0.7 * room));
    drawTree(p, QRectF(box.topLeft(), QSizeF(width, tree)), c);
    drawSummary(p, QRectF(box.left(), box.top() + tree, width, box.height() - tree), c);
    drawPlot(p, QRectF(box.right() - width, box.top(), width, box.height()), stressHeight(c, width), c);
}

} // namespace

void CommunityTab::fill(const Workspace &workspace, const Selection &selection)
{
    pages_ = workspace.community(*selection.current);
    if (const rapporto::Comunita *c = shown())
        setNote(costruzionecomunita::sottotitoloComunita(*c));
    else
        setNote(pages_ ? costruzionecomunita::senzaComunita(pages_->motivo) : QString(), false);
}

const rapporto::Comunita *CommunityTab::shown() const
{
    return pages_ && pages_->comunita ? &*pages_->comunita : nullptr;
}

void CommunityTab::draw(QPainter &p, const QRectF &box) const
{
    const rapporto::Comunita *c = shown();
    if (!c)
        return;
    if (box.width() >= 2 * columnWidth(*c) + kGap)
        drawSideBySide(p, box, *c);
    else if (box.width() >= kPlotWidth + kGap + kSummaryWidth)
        drawUnderTree(p, box, *c);
    else
        drawStacked(p, box, *c);
}

QSizeF CommunityTab::minimumBox() const
{
    const rapporto::Comunita *c = shown();
    if (!c)
        return QSizeF(480, 360);
    const double width = columnWidth(*c);
    return QSizeF(width, stackedHeight(*c, width));
}
