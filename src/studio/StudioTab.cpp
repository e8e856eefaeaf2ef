#include "StudioTab.h"

#include "Workspace.h"

#include <QLabel>
#include <QStackedLayout>

StudioTab::StudioTab(QWidget *parent)
    : QWidget(parent)
{
    stack_ = new QStackedLayout(this);
    reason_ = new QLabel(this);
    reason_->setWordWrap(true);
    reason_->setAlignment(Qt::AlignCenter);
    reason_->setMargin(24);
    reason_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    reason_->setAccessibleName(tr("Perché la scheda è vuota"));
    stack_->addWidget(reason_);
}

void StudioTab::setContent(QWidget *content)
{
    content_ = content;
    stack_->addWidget(content);
}

void StudioTab::refresh(const Workspace &workspace, const Selection &selection)
{
    workspace_ = &workspace;
    selection_ = selection;
    blocked_ = workspace.blockedReason(needs(), selection);
    if (!blocked_.isEmpty()) {
        stale_ = false;
        release();
        reason_->setText(blocked_);
        stack_->setCurrentWidget(reason_);
        return;
    }
    stale_ = true;
    if (content_)
        stack_->setCurrentWidget(content_);
    // A tab behind another in a window on screen fills itself when it is
    // shown: an analysis it alone needs is made only if someone looks.
    if (isVisible() || !window()->isVisible())
        ensureFilled();
}

void StudioTab::ensureFilled()
{
    if (!stale_ || !workspace_)
        return;
    stale_ = false;
    fill(*workspace_, selection_);
    if (content_)
        content_->update();
}

void StudioTab::showEvent(QShowEvent *event)
{
    ensureFilled();
    QWidget::showEvent(event);
}

bool StudioTab::showStation(int)
{
    return false;
}
