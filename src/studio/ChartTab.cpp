#include "ChartTab.h"

#include "ChartView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

ChartTab::ChartTab(const QStringList &views, QWidget *parent)
    : StudioTab(parent)
{
    auto *content = new QWidget(this);
    auto *layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    if (views.size() > 1) {
        auto *row = new QHBoxLayout;
        views_ = new QComboBox(content);
        views_->addItems(views);
        views_->setAccessibleName(tr("Che cosa mostrare"));
        auto *label = new QLabel(tr("Mos&tra:"), content);
        label->setBuddy(views_);
        row->addWidget(label);
        row->addWidget(views_);
        row->addStretch(1);
        layout->addLayout(row);
        connect(views_, &QComboBox::currentIndexChanged, this, [this] { view_->update(); });
    }
    note_ = new QLabel(content);
    note_->setWordWrap(true);
    note_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    note_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    note_->setAccessibleName(tr("Note sul grafico"));
    note_->hide();
    layout->addWidget(note_);
    view_ = new ChartView(*this, content);
    view_->setAccessibleName(tr("Grafico"));
    layout->addWidget(view_, 1);
    setContent(content);
}

QString ChartTab::toolTipAt(QPointF, const QRectF &) const
{
    return {};
}

void ChartTab::clickedAt(QPointF, const QRectF &)
{
}

QImage ChartTab::chartImage() const
{
    return blockedText().isEmpty() && chart_ ? view_->image(view_->devicePixelRatioF()) : QImage();
}

int ChartTab::currentView() const
{
    return views_ ? views_->currentIndex() : 0;
}

void ChartTab::setCurrentView(int view)
{
    if (views_)
        views_->setCurrentIndex(view);
}

void ChartTab::setNote(const QString &note, bool chart)
{
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
    chart_ = chart;
    view_->setVisible(chart);
}
