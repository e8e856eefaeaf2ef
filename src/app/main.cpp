#include "Velmara.h"
#include "VelmaraMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fondalis"));

    Velmara state;
    VelmaraMain window(state, QCoreApplication::applicationDirPath());
    if (!window.Form_Load())
        return 1;
    return app.exec();
}
