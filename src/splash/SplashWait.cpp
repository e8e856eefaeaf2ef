#include "SplashWait.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>

SplashWait::SplashWait(std::chrono::milliseconds duration, QObject *parent)
    : QObject(parent)
    , duration_(duration)
{
}

SplashWait::~SplashWait()
{
    if (watched_)
        watched_->removeEventFilter(this);
}

void SplashWait::endWhenClosed(QWidget *window)
{
    if (watched_)
        watched_->removeEventFilter(this);
    disconnect(destroyedConnection_);
    watched_ = window;
    if (!window)
        return;
    window->installEventFilter(this);
    destroyedConnection_ = connect(window, &QObject::destroyed, this, [this] {
        abandoned_ = true;
        loop_.quit();
    });
}

bool SplashWait::exec()
{
    QElapsedTimer clock;
    clock.start();
    QTimer timer;
    timer.setSingleShot(true);
    // A coarse timer may fire a little early; the clock has the last word.
    timer.setTimerType(Qt::PreciseTimer);
    bool signalled = false;
    connect(&timer, &QTimer::timeout, this, [&] {
        if (!signalled && clock.elapsed() > duration_.count()) {
            signalled = true;
            emit ended();
        }
        loop_.quit();
    });

    while (!abandoned_) {
        const qint64 left = duration_.count() - clock.elapsed();
        if (left < 0)
            break;
        timer.start(std::chrono::milliseconds(left + 1));
        loop_.exec();
    }
    if (!signalled)
        emit ended();
    return !abandoned_;
}

bool SplashWait::eventFilter(QObject *watched, QEvent *event)
{
    // Hiding is how a closed window ends; the check waits until the close
    // is through, so a refused close or a minimised window goes on waiting.
    if (watched == watched_ && event->type() == QEvent::Hide)
        QTimer::singleShot(0, this, &SplashWait::checkWatched);
    return QObject::eventFilter(watched, event);
}

void SplashWait::checkWatched()
{
    if (!watched_ || watched_->isVisible())
        return;
    abandoned_ = true;
    loop_.quit();
}
