#pragma once

#include <QString>
#include <QStringList>

// The command line of fondalis-studio: the files to open, --help and
// --version, and nothing else.
struct StudioOptions {
    QStringList files;
    bool help = false;
    bool version = false;
    QString error; // a wrong use, in Italian; the program then exits with 2

    // args without the program's name; "--" ends the options.
    static StudioOptions parse(const QStringList &args);
    static QString helpText();
    static QString versionText();
};
