#pragma once

#include <QByteArray>
#include <QImage>
#include <QMargins>
#include <QRect>
#include <QString>
#include <QStringList>

class QProcess;

// The X tools the real-window tests drive the programs with, named by
// environment variables that CMake sets (the bare name otherwise).
namespace x11 {

// Runs a tool to its end and hands back its standard output; empty when it
// failed to finish in time.
QByteArray run(const char *toolVariable, const char *fallback, const QStringList &args);

QByteArray xdotool(const QStringList &args);
QByteArray xprop(const QStringList &args);
QString xwininfo(const QString &id);

// The visible windows whose title matches the pattern (a regular
// expression), as decimal ids.
QStringList windows(const QString &titlePattern);
// The first such window within the time given; "" if none came.
QString waitForWindow(const QString &titlePattern, int timeoutMs = 10000);

QString activeWindow();
bool isViewable(const QString &id);
QString windowName(const QString &id);

// The client area on the screen, right with or without a reparenting
// window manager, and the frame the window manager put around it.
QRect clientRect(const QString &id);
QMargins frameExtents(const QString &id);
// Whether the window, frame and all, stands in the middle of the primary
// screen, to a pixel.
bool centredWithFrame(const QString &id);

// Window ids from the bottom of the stack to the top, as the window
// manager keeps them.
QStringList stackingOrder();

// Starts openbox with a home of its own and waits until it manages the
// screen; false if it did not come.
bool startOpenbox(QProcess &openbox, const QString &home);

// A part of the screen as it shows.
QImage grab(const QRect &r);

} // namespace x11
