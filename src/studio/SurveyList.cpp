#include "SurveyList.h"

#include "Workspace.h"

#include <QDir>
#include <QHeaderView>

namespace {

int idOf(const QTreeWidgetItem *item)
{
    return item->data(0, Qt::UserRole).toInt();
}

} // namespace

SurveyList::SurveyList(QWidget *parent)
    : QTreeWidget(parent)
{
    setColumnCount(3);
    setHeaderLabels({tr("Rilievo"), tr("Stazioni"), tr("Area")});
    setRootIsDecorated(false);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setAccessibleName(tr("Rilievi aperti"));
    setToolTip(tr("Con Ctrl o Maiusc e un clic se ne scelgono più d'uno: la scheda Classe li mette insieme"));
    // The names take what the counts and the area leave.
    header()->setSectionResizeMode(0, QHeaderView::Stretch);
    header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    header()->setStretchLastSection(false);
    connect(this, &QTreeWidget::itemSelectionChanged, this, [this] {
        if (!rebuilding_)
            emit selectionMade();
    });
}

void SurveyList::rebuild(const Workspace &workspace)
{
    const Selection before = selection(workspace);
    rebuilding_ = true;
    clear();
    for (const OpenSurvey &s : workspace.surveys()) {
        const SurveyRow row = workspace.row(s.id);
        auto *item = new QTreeWidgetItem(this, {row.name, row.stations, row.area});
        item->setData(0, Qt::UserRole, s.id);
        item->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        if (!s.readable())
            item->setToolTip(0, s.failure());
        else if (s.unsaved())
            item->setToolTip(0, tr("Un disegno non ancora salvato: «Salva dati…» lo scrive"));
        else
            item->setToolTip(0, QDir::toNativeSeparators(s.path));
        item->setSelected(std::find(before.selected.begin(), before.selected.end(), s.id) != before.selected.end());
        if (before.current == s.id)
            setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
    }
    rebuilding_ = false;
}

void SurveyList::select(const std::vector<int> &ids, int current)
{
    rebuilding_ = true;
    clearSelection();
    for (int i = 0; i < topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = topLevelItem(i);
        if (idOf(item) == current)
            setCurrentItem(item, 0, QItemSelectionModel::NoUpdate);
        if (std::find(ids.begin(), ids.end(), idOf(item)) != ids.end())
            item->setSelected(true);
    }
    rebuilding_ = false;
    emit selectionMade();
}

Selection SurveyList::selection(const Workspace &workspace) const
{
    Selection s;
    for (const QTreeWidgetItem *item : selectedItems())
        s.selected.push_back(idOf(item));
    s.selected = workspace.inListOrder(s.selected);
    const QTreeWidgetItem *current = currentItem();
    if (current && current->isSelected())
        s.current = idOf(current);
    else if (!s.selected.empty())
        s.current = s.selected.front();
    return s;
}
