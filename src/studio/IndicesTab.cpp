#include "IndicesTab.h"

#include "IndicesModel.h"
#include "TableCopy.h"
#include "Workspace.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>

IndicesTab::IndicesTab(QWidget *parent)
    : StudioTab(parent)
{
    auto *content = new QWidget(this);
    model_ = new IndicesModel(this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(IndicesModel::kSortRole);
    view_ = new QTableView(content);
    view_->setModel(proxy_);
    view_->setSortingEnabled(true);
    view_->sortByColumn(0, Qt::AscendingOrder);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setAlternatingRowColors(true);
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view_->horizontalHeader()->setStretchLastSection(true);
    view_->setAccessibleName(tr("Indici delle stazioni"));
    view_->setToolTip(tr("Un clic sull'intestazione ordina; Ctrl+C copia le celle scelte"));
    view_->installEventFilter(this);
    summary_ = new QLabel(content);
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    summary_->setAccessibleName(tr("Indici di tutto il rilievo"));
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_, 1);
    layout->addWidget(summary_);
    setContent(content);
}

void IndicesTab::fill(const Workspace &workspace, const Selection &selection)
{
    model_->setSurvey(*workspace.survey(*selection.current)->lettura.rilievo);
    summary_->setText(model_->table().summary());
}

void IndicesTab::release()
{
    model_->clear();
    summary_->clear();
}

bool IndicesTab::showStation(int number)
{
    const int row = model_->table().rowOf(number);
    if (row < 0)
        return false;
    const QModelIndex shown = proxy_->mapFromSource(model_->index(row, 0));
    view_->selectRow(shown.row());
    view_->scrollTo(shown);
    return true;
}

QString IndicesTab::selectionText() const
{
    return tablecopy::text(view_->selectionModel()->selectedIndexes());
}

void IndicesTab::copySelection() const
{
    const QString text = selectionText();
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

bool IndicesTab::eventFilter(QObject *watched, QEvent *event)
{
    // The table's own Ctrl+C copies one cell only.
    if (watched == view_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        copySelection();
        return true;
    }
    return StudioTab::eventFilter(watched, event);
}
