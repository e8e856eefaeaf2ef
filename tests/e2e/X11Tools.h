#pragma once

#include <QByteArray>
#include <QMargins>
#include <QRect>
#include <QString>
#include <QStringList>

// The X tools the real-window tests drive the program with, named by
// environment variables that CMake sets (the bare name otherwise).
namespace x11 {

// Runs a tool to its end and hands back its standard output; empty when it
// failed to finish in time.
QByteArray run(const char *toolVariable, const char *fallback, const QStringList &args, int timeoutMs = 10000);
QByteArray xdotool(const QStringList &args, int timeoutMs = 10000);

// The visible windows whose title matches the pattern (a regular
// expression), as decimal ids.
QStringList windows(const QString &titlePattern);
// The first such window within the time given; "" if none came.
QString waitForWindow(const QString &titlePattern, int timeoutMs = 10000);
QString activeWindow();
bool isViewable(const QString &id);
// The window's types (_NET_WM_WINDOW_TYPE), as the property lists them.
QString windowType(const QString &id);

// The client area on the screen (right with or without a reparenting window
// manager), and the frame the window manager put around it.
QRect clientRect(const QString &id);
QMargins frameExtents(const QString &id);

// Window ids from the bottom of the stack to the top, as the window
// manager keeps them.
QStringList stackingOrder();

// The screen saved as a PNG next to the test's log; the path it went to.
QString saveScreenshot(const QString &name);

} // namespace x11
