#include "ItalianTexts.h"
#include "MemoryTuning.h"
#include "Velmara.h"
#include "VelmaraMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    memorytuning::keepFreedPictures();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fondalis"));
    // Lets the desktop match the window to the installed menu entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("it.fondalis.Fondalis"));

    const ItalianTexts italian;

    Velmara state;
    VelmaraMain window(state, QCoreApplication::applicationDirPath());
    if (!window.Form_Load())
        return 1;
    // Closed during the splash screen's wait: no window is left, and the
    // event loop would never be told to end.
    if (!window.isVisible())
        return window.stoppedOnLoadFailure() ? 1 : 0;
    const int status = app.exec();
    return window.stoppedOnLoadFailure() ? 1 : status;
}
