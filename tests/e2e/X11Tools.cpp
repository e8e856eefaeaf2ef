#include "X11Tools.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

namespace x11 {

// Runs a tool to its end and hands back its standard output; empty when it
// failed to finish in time.
QByteArray run(const char *toolVariable, const char *fallback, const QStringList &args)
{
    QProcess process;
    process.start(qEnvironmentVariable(toolVariable, QString::fromLatin1(fallback)), args);
    if (process.waitForFinished(10000))
        return process.readAllStandardOutput();
    process.kill();
    process.waitForFinished();
    return {};
}

QByteArray xdotool(const QStringList &args) { return run("XDOTOOL", "xdotool", args); }
QByteArray xprop(const QStringList &args) { return run("XPROP", "xprop", args); }
QString xwininfo(const QString &id) { return QString::fromLatin1(run("XWININFO", "xwininfo", {QStringLiteral("-id"), id})); }

// The visible windows whose title matches the pattern (a regular
// expression), as decimal ids.
QStringList windows(const QString &titlePattern)
{
    const QStringList args{QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), titlePattern};
    return QString::fromLatin1(xdotool(args)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The first such window within the time given; "" if none came.
QString waitForWindow(const QString &titlePattern, int timeoutMs)
{
    QStringList found;
    return QTest::qWaitFor([&] { return !(found = windows(titlePattern)).isEmpty(); }, timeoutMs) ? found.first() : QString();
}

QString activeWindow() { return QString::fromLatin1(xdotool({QStringLiteral("getactivewindow")})).trimmed(); }
bool isViewable(const QString &id) { return xwininfo(id).contains(QLatin1String("IsViewable")); }

// The client area on the screen, right with or without a reparenting
// window manager, and the frame the window manager put around it.
QRect clientRect(const QString &id)
{
    const QString info = xwininfo(id);
    const auto field = [&info](const char *name) {
        return QRegularExpression(QStringLiteral("%1:\\s*(-?\\d+)").arg(QLatin1String(name))).match(info).captured(1).toInt();
    };
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"));
}

QMargins frameExtents(const QString &id)
{
    const QString property = QString::fromLatin1(xprop({QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")}));
    const QRegularExpressionMatch m
        = QRegularExpression(QStringLiteral("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)")).match(property);
    // left, right, top, bottom
    return m.hasMatch() ? QMargins(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(2).toInt(), m.captured(4).toInt())
                        : QMargins();
}

bool centredWithFrame(const QString &id)
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const QRect outer = clientRect(id) + frameExtents(id);
    return qAbs(outer.left() - (screen.right() - outer.right())) <= 1
        && qAbs(outer.top() - (screen.bottom() - outer.bottom())) <= 1;
}

// Window ids from the bottom of the stack to the top, as the window
// manager keeps them.
QStringList stackingOrder()
{
    QStringList ids;
    const QString property = QString::fromLatin1(xprop({QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")}));
    for (auto it = QRegularExpression(QStringLiteral("0x[0-9a-fA-F]+")).globalMatch(property); it.hasNext();)
        ids << QString::number(it.next().captured().toULongLong(nullptr, 16));
    return ids;
}

QString windowName(const QString &id)
{
    return QString::fromUtf8(xdotool({QStringLiteral("getwindowname"), id})).trimmed();
}

bool startOpenbox(QProcess &openbox, const QString &home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    openbox.setProcessEnvironment(environment);
    openbox.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    openbox.start(qEnvironmentVariable("OPENBOX", QStringLiteral("openbox")), {QStringLiteral("--sm-disable")});
    if (!openbox.waitForStarted())
        return false;
    return QTest::qWaitFor(
        [] { return xprop({QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")}).contains("window id"); },
        20000);
}

QImage grab(const QRect &r)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, r.x(), r.y(), r.width(), r.height()).toImage().convertToFormat(
        QImage::Format_RGB32);
}

} // namespace x11
