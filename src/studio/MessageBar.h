#pragma once

#include <QFrame>
#include <QStringList>

class QLabel;
class QToolButton;

// A bar above the tabs with messages the user should read: files that
// cannot be read, a survey that does not match the area. It hides when it
// has nothing to say; the user may close it.
class MessageBar : public QFrame
{
    Q_OBJECT

public:
    enum class Kind { Error, Warning };

    MessageBar(Kind kind, const QString &accessibleName, QWidget *parent = nullptr);

    void setMessages(const QStringList &messages);
    void add(const QString &message);
    void clear() { setMessages({}); }
    QStringList messages() const { return messages_; }
    QString text() const;

signals:
    // The user closed the bar.
    void dismissed();

private:
    QStringList messages_;
    QLabel *label_ = nullptr;
    QToolButton *close_ = nullptr;
};
