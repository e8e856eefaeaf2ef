#include "ItalianTexts.h"
#include "StudioOptions.h"
#include "StudioWindow.h"
#include "ToolMessages.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // The options are read before Qt starts, so that --help and --version
    // answer on a console with no display.
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const StudioOptions options = StudioOptions::parse(args);
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "fondalis-studio: %s\nAiuto: fondalis-studio --help\n", qUtf8Printable(options.error));
        return 2;
    }
    if (options.help || options.version) {
        std::fputs(qUtf8Printable(options.help ? StudioOptions::helpText() : StudioOptions::versionText()), stdout);
        return 0;
    }

    toolmessages::keepOnlyOwnMessages();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fondalis Studio"));
    QApplication::setApplicationVersion(QStringLiteral(FONDALIS_VERSION));
    // Lets the desktop match the window to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.fondalis.Studio"));
    const ItalianTexts italian;

    StudioWindow window(QCoreApplication::applicationDirPath());
    window.showCentred();
    window.openFiles(options.files);
    return app.exec();
}
