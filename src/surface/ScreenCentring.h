#pragma once

#include <QRect>

#include <optional>

class QWidget;

// Keeps a top-level window centred on its screen with its frame. Under a
// window manager the frame comes after the window is shown, and changes
// the outer size: the window is centred again then, until the user moves
// it, after which its place is kept. With no window manager there is no
// frame and one centring holds.
class ScreenCentring
{
public:
    // Centres the window as far as its frame is known yet.
    void centre(QWidget &window);
    // Call from the window's moveEvent.
    void windowMoved(QWidget &window);

private:
    // Where the window was centred and the frame then known.
    std::optional<QRect> centredFrame_;
};
