#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace imagefiles {

struct Loaded {
    QImage image;   // RGB32, null on failure
    QString reason; // Italian, for the user; empty on success
    bool ok() const { return !image.isNull(); }
};

// Reads a BMP, DIB or JPEG file by its content: Qt would take a ".dib" name
// for a header-less DIB and refuse an ordinary BMP file so named. A BMP file
// shorter than its header promises is refused, rather than shown with blank
// rows. A non-empty requiredSize also refuses pictures of any other size.
Loaded load(const QString &path, QSize requiredSize = {});

// The message shown when a file the program needs cannot be used.
QString failureMessage(const QString &fileName, const QString &folder, const QString &reason);

} // namespace imagefiles
