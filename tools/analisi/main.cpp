#include "Analisi.h"
#include "ToolMessages.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <memory>

int main(int argc, char *argv[])
{
    // Only commands that draw text need the GUI side of Qt; the others start
    // faster without it and say nothing about a missing screen.
    toolmessages::keepOnlyOwnMessages();
    std::unique_ptr<QCoreApplication> app;
    if (argc > 1 && commandNeedsGui(QString::fromLocal8Bit(argv[1]))) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setApplicationName(QStringLiteral("fondalis-analisi"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    return runAnalisi(QCoreApplication::arguments().mid(1), out, err, QCoreApplication::applicationDirPath());
}
