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
    blocked_ = workspace.blockedReason(needs(), selection);
    if (!blocked_.isEmpty()) {
        release();
        reason_->setText(blocked_);
        stack_->setCurrentWidget(reason_);
        return;
    }
    fill(workspace, selection);
    if (content_) {
        stack_->setCurrentWidget(content_);
        content_->update();
    }
}

bool StudioTab::showStation(int)
{
    return false;
}
