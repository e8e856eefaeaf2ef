#pragma once

#include <QString>
#include <QStringList>

// What "?" tells the user about the program.
namespace helptext {

// Fourteen lines; the empty ones separate the paragraphs.
QStringList lines();

// The lines joined by CR LF, with no line break after the last one.
QString text();

} // namespace helptext
