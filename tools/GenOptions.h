#pragma once

#include <QString>
#include <QStringList>

// What fondalis-gen was asked to do, read from its arguments alone: no file
// is looked at here, so every answer can be checked without a disk.
struct GenOptions {
    enum class Action { Generate, Help, Fail };

    Action action = Action::Generate;
    quint32 seed = 20261206;
    QString folder;
    bool withProgram = false; // --con-programma
    bool overwrite = false;   // --sovrascrivi
    int status = 0;           // exit status of a failure
    QString message;          // why it failed, in Italian
};

namespace genoptions {

GenOptions parse(const QStringList &arguments);
QString helpText();
QString usageLine();

} // namespace genoptions
