#include "TrueCommunitiesTab.h"

#include "CostruzioneComunita.h"
#include "GraficiComunita.h"
#include "Stampa.h"
#include "Workspace.h"

#include <algorithm>

namespace {

constexpr double kLeastMap = 420;
constexpr double kGap = 16;
constexpr double kTableHeading = 17;
// The stations' markers on the map's edge reach past it.
constexpr double kMapInset = 3.5;

double columnWidth(const rapporto::ComunitaVere &v)
{
    return std::max(280.0, graficicomunita::larghezzaTabellaAssemblaggi(v));
}

double sentenceHeight(double width, const QString &sentence)
{
    return stampa::altezzaTesto(stampa::carattere(9), width, sentence);
}

// The legend and the table with their headings, and the space under them.
double keyHeight(const rapporto::ComunitaVere &v, double width, int legendColumns)
{
    return graficicomunita::altezzaLegendaAssemblaggi(v, legendColumns, width) + 10 + kTableHeading
           + graficicomunita::altezzaTabellaAssemblaggi(v) + 6;
}

double keyAndSentence(const rapporto::ComunitaVere &v, double width, int legendColumns)
{
    return keyHeight(v, width, legendColumns) + sentenceHeight(width, costruzionecomunita::fraseVere(v, {}));
}

// The legend, the table and the sentence, from the column's top; the
// stations the map left without a number are named when there is room.
void drawKey(QPainter &p, const QRectF &column, const rapporto::ComunitaVere &v, int legendColumns,
             const std::vector<QString> &unnumbered)
{
    double y = column.top();
    const double legend = graficicomunita::altezzaLegendaAssemblaggi(v, legendColumns, column.width());
    graficicomunita::legendaAssemblaggi(p, QRectF(column.left(), y, column.width(), legend), v, legendColumns);
    y += legend + 10;
    stampa::sezione(p, column, y, QStringLiteral("Gruppi del rilievo e assemblaggi veri"));
    y += kTableHeading;
    const double table = graficicomunita::altezzaTabellaAssemblaggi(v);
    graficicomunita::tabellaAssemblaggi(p, QRectF(column.left(), y, column.width(), table), v);
    y += table + 6;
    QString sentence = costruzionecomunita::fraseVere(v, unnumbered);
    if (sentenceHeight(column.width(), sentence) > column.bottom() - y)
        sentence = costruzionecomunita::fraseVere(v, {});
    stampa::paragrafo(p, column, y, sentence, 9);
}

} // namespace

void TrueCommunitiesTab::fill(const Workspace &workspace, const Selection &selection)
{
    pages_ = workspace.community(*selection.current);
    if (const rapporto::ComunitaVere *v = shown())
        setNote(costruzionecomunita::sottotitoloVere(*v));
    else
        setNote(pages_ ? costruzionecomunita::senzaComunita(pages_->motivo) : QString(), false);
}

const rapporto::ComunitaVere *TrueCommunitiesTab::shown() const
{
    return pages_ && pages_->vere ? &*pages_->vere : nullptr;
}

void TrueCommunitiesTab::draw(QPainter &p, const QRectF &box) const
{
    const rapporto::ComunitaVere *v = shown();
    if (!v)
        return;
    constexpr int kLegendBelow = 3;
    const double beside = std::min(box.height(), box.width() - columnWidth(*v) - kGap);
    const double above = std::min(box.width(), box.height() - 8 - keyAndSentence(*v, box.width(), kLegendBelow));
    if (beside >= above) {
        const QRectF map(box.topLeft(), QSizeF(beside, beside));
        const std::vector<QString> unnumbered =
            graficicomunita::mappaAssemblaggi(p, map.adjusted(kMapInset, kMapInset, -kMapInset, -kMapInset), *v);
        drawKey(p, QRectF(box.left() + beside + kGap, box.top(), box.width() - beside - kGap, box.height()), *v, 1, unnumbered);
    } else {
        const QRectF map(box.left() + (box.width() - above) / 2, box.top(), above, above);
        const std::vector<QString> unnumbered =
            graficicomunita::mappaAssemblaggi(p, map.adjusted(kMapInset, kMapInset, -kMapInset, -kMapInset), *v);
        drawKey(p, QRectF(box.left(), map.bottom() + 8, box.width(), box.bottom() - map.bottom() - 8), *v, kLegendBelow,
                unnumbered);
    }
}

QSizeF TrueCommunitiesTab::minimumBox() const
{
    const rapporto::ComunitaVere *v = shown();
    if (!v)
        return QSizeF(600, 360);
    const double column = columnWidth(*v);
    return QSizeF(kLeastMap + kGap + column, std::max(kLeastMap, keyAndSentence(*v, column, 1)));
}
