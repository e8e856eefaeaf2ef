#include "X11Tools.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>

namespace x11 {

QByteArray run(const char *toolVariable, const char *fallback, const QStringList &args, int timeoutMs)
{
    QProcess process;
    process.start(qEnvironmentVariable(toolVariable, QString::fromLatin1(fallback)), args);
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return process.readAllStandardOutput();
}

QByteArray xdotool(const QStringList &args, int timeoutMs)
{
    return run("XDOTOOL", "xdotool", args, timeoutMs);
}

QStringList windows(const QString &titlePattern)
{
    const QByteArray found
        = xdotool({QStringLiteral("search"), QStringLiteral("--onlyvisible"), QStringLiteral("--name"), titlePattern});
    return QString::fromLatin1(found).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

QString waitForWindow(const QString &titlePattern, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    do {
        const QStringList found = windows(titlePattern);
        if (!found.isEmpty())
            return found.first();
        QTest::qWait(50);
    } while (timer.elapsed() < timeoutMs);
    return {};
}

QString activeWindow()
{
    return QString::fromLatin1(xdotool({QStringLiteral("getactivewindow")})).trimmed();
}

bool isViewable(const QString &id)
{
    return run("XWININFO", "xwininfo", {QStringLiteral("-id"), id}).contains("IsViewable");
}

QString windowType(const QString &id)
{
    return QString::fromLatin1(
        run("XPROP", "xprop", {QStringLiteral("-id"), id, QStringLiteral("_NET_WM_WINDOW_TYPE")}));
}

QRect clientRect(const QString &id)
{
    const QString info = QString::fromLatin1(run("XWININFO", "xwininfo", {QStringLiteral("-id"), id}));
    const auto field = [&info](const char *name) {
        const QRegularExpression pattern(QStringLiteral("%1:\\s*(-?\\d+)").arg(QLatin1String(name)));
        return pattern.match(info).captured(1).toInt();
    };
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"));
}

QMargins frameExtents(const QString &id)
{
    const QString property = QString::fromLatin1(
        run("XPROP", "xprop", {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")}));
    const QRegularExpressionMatch m
        = QRegularExpression(QStringLiteral("=\\s*(\\d+),\\s*(\\d+),\\s*(\\d+),\\s*(\\d+)")).match(property);
    if (!m.hasMatch())
        return {};
    // left, right, top, bottom
    return QMargins(m.captured(1).toInt(), m.captured(3).toInt(), m.captured(2).toInt(), m.captured(4).toInt());
}

QStringList stackingOrder()
{
    const QString property = QString::fromLatin1(
        run("XPROP", "xprop", {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")}));
    QStringList ids;
    const QRegularExpression hex(QStringLiteral("0x[0-9a-fA-F]+"));
    for (auto it = hex.globalMatch(property); it.hasNext();)
        ids << QString::number(it.next().captured().toULongLong(nullptr, 16));
    return ids;
}

QString saveScreenshot(const QString &name)
{
    const QString path = QDir::current().absoluteFilePath(name + QStringLiteral(".png"));
    if (QScreen *screen = QGuiApplication::primaryScreen())
        screen->grabWindow(0).save(path);
    return path;
}

} // namespace x11
