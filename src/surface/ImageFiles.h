#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

namespace imagefiles {

struct Loaded {
    QImage image;   // RGB32, null on failure
    QString reason; // Italian, for the user; empty on success
    bool ok() const { return !image.isNull(); }
};

// No picture the program reads decodes to more than this (Qt's reader is
// held to it), nor is a larger file read at all.
inline constexpr int kMaxMegabytes = 128;
inline constexpr qint64 kMaxFileBytes = qint64(kMaxMegabytes) * 1024 * 1024;

// Reads a BMP, DIB or JPEG picture by its content: Qt would take a ".dib"
// name for a header-less DIB and refuse an ordinary BMP file so named. A BMP
// shorter than its header promises is refused, rather than shown with blank
// rows. A non-empty requiredSize also refuses pictures of any other size,
// before they are decoded.
Loaded read(const QByteArray &bytes, QSize requiredSize = {});
// The same for a file.
Loaded load(const QString &path, QSize requiredSize = {});

// The message shown when a file the program needs cannot be used.
QString failureMessage(const QString &fileName, const QString &folder, const QString &reason);

} // namespace imagefiles
