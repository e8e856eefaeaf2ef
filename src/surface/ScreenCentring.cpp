#include "ScreenCentring.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

void ScreenCentring::centre(QWidget &window)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize outer = window.frameGeometry().size();
    const QPoint place
        = area.topLeft() + QPoint((area.width() - outer.width()) / 2, (area.height() - outer.height()) / 2);
    centredFrame_ = QRect(place, outer); // before the move, which reports at once
    window.move(place);
}

void ScreenCentring::windowMoved(QWidget &window)
{
    if (!centredFrame_)
        return;
    const QRect frame = window.frameGeometry();
    if (frame.size() != centredFrame_->size())
        centre(window); // the frame has come: centred again with it
    else if (frame.topLeft() != centredFrame_->topLeft())
        centredFrame_.reset(); // moved by the user: the place is kept
}
