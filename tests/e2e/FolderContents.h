#pragma once

#include <QString>
#include <QStringList>

// Every file and folder below a folder, as paths relative to it, sorted:
// what a session left behind.
QStringList everythingIn(const QString &folder);
