#pragma once

#include <QString>

// Text files written on the user's request: the table as the program built
// it, or as the user edited it in the data window.
namespace textexport {

// The text with every line break as CR LF. Qt's text widgets hand back LF,
// and their documents U+2029 (paragraph) or U+2028 (line) separators.
QString withCrLf(const QString &text);

// Writes the text in UTF-8 without a byte-order mark (ASCII stays one byte
// a character), replacing an existing file only once the new content is
// complete; in a folder the user cannot write, an existing writable file is
// written again in place instead. Empty on success, otherwise the Italian
// message for the user, naming the file and the reason; a failure to start
// writing leaves any old file untouched.
QString write(const QString &path, const QString &text);

} // namespace textexport
