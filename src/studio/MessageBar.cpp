#include "MessageBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QToolButton>

MessageBar::MessageBar(Kind kind, const QString &accessibleName, QWidget *parent)
    : QFrame(parent)
{
    setAccessibleName(accessibleName);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kind == Kind::Error ? QColor(250, 222, 222) : QColor(252, 240, 200));
    palette.setColor(QPalette::WindowText, QColor(30, 30, 30));
    setPalette(palette);

    auto *icon = new QLabel(this);
    const QStyle::StandardPixmap which = kind == Kind::Error ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning;
    icon->setPixmap(style()->standardIcon(which).pixmap(20, 20));
    icon->setAccessibleName(kind == Kind::Error ? tr("Errore") : tr("Attenzione"));
    label_ = new QLabel(this);
    label_->setWordWrap(true);
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label_->setAccessibleName(accessibleName);
    close_ = new QToolButton(this);
    close_->setText(tr("Chiudi"));
    close_->setToolTip(tr("Nasconde il messaggio"));
    close_->setAccessibleName(tr("Chiudi il messaggio"));
    close_->setAutoRaise(true);
    connect(close_, &QToolButton::clicked, this, [this] {
        clear();
        emit dismissed();
    });

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 4, 4);
    layout->addWidget(icon, 0, Qt::AlignTop);
    layout->addWidget(label_, 1);
    layout->addWidget(close_, 0, Qt::AlignTop);
    hide();
}

void MessageBar::setMessages(const QStringList &messages)
{
    messages_ = messages;
    label_->setText(text());
    setVisible(!messages_.isEmpty());
}

void MessageBar::add(const QString &message)
{
    if (!messages_.contains(message))
        setMessages(messages_ + QStringList{message});
}

QString MessageBar::text() const
{
    return messages_.join(QLatin1Char('\n'));
}
