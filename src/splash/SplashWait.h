#pragma once

#include <QEventLoop>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <chrono>

// The splash screen's wait: a local event loop, so that every window's
// events run meanwhile, until more than the given time has passed, counted
// as elapsed time (midnight changes nothing). A watched window that closes
// ends it at once: the program is ending and nothing is left to wait for.
class SplashWait : public QObject
{
    Q_OBJECT

public:
    explicit SplashWait(std::chrono::milliseconds duration, QObject *parent = nullptr);
    ~SplashWait() override;

    void endWhenClosed(QWidget *window);

    // True when the whole time passed, false when a watched window closed.
    bool exec();

signals:
    // The time is up (or the wait was abandoned); emitted on time even while
    // a modal dialog opened during the wait keeps exec() from returning.
    void ended();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void checkWatched();

    std::chrono::milliseconds duration_;
    QEventLoop loop_;
    QPointer<QWidget> watched_;
    QMetaObject::Connection destroyedConnection_;
    bool abandoned_ = false;
};
