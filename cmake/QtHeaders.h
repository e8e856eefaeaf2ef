// The headers nearly every file of the program includes, parsed once per
// build into a precompiled header (see Precompile.cmake); QtCore and QtGui
// only, which every target built on QtGui can read.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
