#include "ImageFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <array>

namespace {

QString tr(const char *text) { return QCoreApplication::translate("imagefiles", text); }

// Uncompressed BMPs must hold every row their header announces.
bool bmpIsComplete(QFile &file)
{
    const QByteArray header = file.peek(54);
    if (header.size() < 2 || header[0] != 'B' || header[1] != 'M')
        return true; // not a BMP file: the reader judges it
    if (header.size() < 26)
        return false;
    // Read from a buffer of fixed size: the sanitized build's optimiser
    // cannot tell that the byte array is never its shared empty one.
    std::array<uchar, 54> bytes{};
    std::copy(header.cbegin(), header.cend(), bytes.begin());
    const auto le32 = [&](int at) { return qFromLittleEndian<qint32>(bytes.data() + at); };
    const auto le16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.data() + at); };
    const qint64 dataOffset = le32(10);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitsPerPixel = 0;
    if (le32(14) == 12) {
        // The old OS/2 header: 16-bit sizes and never compressed.
        width = le16(18);
        height = le16(20);
        bitsPerPixel = le16(24);
    } else {
        if (header.size() < 34)
            return false;
        width = le32(18);
        height = qAbs(static_cast<qint64>(le32(22)));
        bitsPerPixel = le16(28);
        const qint32 compression = le32(30);
        if (compression != 0 && compression != 3)
            return true; // run-length data has no fixed size
    }
    const qint64 rowBytes = ((width * bitsPerPixel + 31) / 32) * 4;
    return file.size() >= dataOffset + rowBytes * height;
}

} // namespace

namespace imagefiles {

Loaded load(const QString &path, QSize requiredSize)
{
    Loaded result;
    QFile file(path);
    if (!file.exists()) {
        result.reason = tr("il file non esiste");
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.reason = tr("il file non si può leggere (%1)").arg(file.errorString());
        return result;
    }
    if (!bmpIsComplete(file)) {
        result.reason = tr("il file BMP è incompleto");
        return result;
    }
    QImageReader reader(&file);
    reader.setDecideFormatFromContent(true);
    QImage image = reader.read();
    if (image.isNull()) {
        result.reason = tr("il file non è un'immagine BMP, DIB o JPEG leggibile");
        return result;
    }
    if (requiredSize.isValid() && image.size() != requiredSize) {
        result.reason = tr("l'immagine è di %1 × %2 pixel invece di %3 × %4")
                            .arg(image.width())
                            .arg(image.height())
                            .arg(requiredSize.width())
                            .arg(requiredSize.height());
        return result;
    }
    result.image = image.convertToFormat(QImage::Format_RGB32);
    return result;
}

QString failureMessage(const QString &fileName, const QString &folder, const QString &reason)
{
    return tr("Impossibile caricare il file \"%1\" dalla cartella \"%2\": %3.")
        .arg(fileName, QDir::toNativeSeparators(folder), reason);
}

} // namespace imagefiles
