#include "ClassTab.h"

#include "GraficiClasse.h"
#include "Workspace.h"

namespace {

// The views after the table: the quantities each shows, as the pages group
// them (six species, six more, then N and S).
struct Group {
    size_t from, to;
};
constexpr Group kGroups[] = {{0, 6}, {6, 12}, {12, 14}};

} // namespace

ClassTab::ClassTab()
    : ChartTab({tr("La tabella"), tr("Le specie 1–6"), tr("Le specie 7–12"), tr("N e S")})
{
}

void ClassTab::fill(const Workspace &workspace, const Selection &selection)
{
    class_ = workspace.classReport(workspace.inListOrder(selection.selected));
    QStringList notes;
    if (class_) {
        for (const QString &s : class_->scartati)
            notes << tr("Scartato: %1").arg(s);
        for (const QString &n : class_->note)
            notes << tr("Nota: %1").arg(n);
    }
    setNote(notes.join(QLatin1Char('\n')));
}

void ClassTab::draw(QPainter &p, const QRectF &box) const
{
    if (!class_)
        return;
    const int view = currentView();
    if (view == 0) {
        grafici::tabellaClasse(p, box, *class_, 0, class_->uscite.size(), true);
        return;
    }
    const Group g = kGroups[view - 1];
    grafici::pannelliClasse(p, box, *class_, std::min(g.from, class_->nomi.size()), std::min(g.to, class_->nomi.size()));
}

QSizeF ClassTab::minimumBox() const
{
    const int view = currentView();
    if (view == 0)
        return class_ ? grafici::tabellaClasseMinima(*class_) : QSizeF(515, 200);
    const Group g = kGroups[view - 1];
    return grafici::pannelliClasseMinimi(g.to - g.from);
}
