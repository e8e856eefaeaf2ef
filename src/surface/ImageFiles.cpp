#include "ImageFiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <mutex>

namespace {

QString tr(const char *text) { return QCoreApplication::translate("imagefiles", text); }

// Uncompressed BMPs must hold every row their header announces, where Qt's
// reader looks for them: it leaves rows it cannot read as they were in
// memory. Checked before anything is decoded, so a header promising
// gigabytes costs nothing.
bool bmpIsComplete(const QByteArray &file)
{
    if (file.size() < 2 || file[0] != 'B' || file[1] != 'M')
        return true; // not a BMP file: the reader judges it
    if (file.size() < 26)
        return false;
    // Read from a buffer of fixed size: the sanitized build's optimiser
    // cannot tell that the byte array is never its shared empty one.
    std::array<uchar, 54> bytes{};
    std::copy_n(file.cbegin(), std::min<qsizetype>(file.size(), 54), bytes.begin());
    const auto le32 = [&](int at) { return qFromLittleEndian<qint32>(bytes.data() + at); };
    const auto le16 = [&](int at) { return qFromLittleEndian<qint16>(bytes.data() + at); };
    const qint64 dataOffset = le32(10);
    const qint64 headerSize = le32(14);
    qint64 width = 0;
    qint64 height = 0;
    qint64 bitsPerPixel = 0;
    qint64 colours = 0;
    qint64 masks = 0;
    if (headerSize != 40 && headerSize != 64 && headerSize != 108 && headerSize != 124) {
        // Qt reads any other header as the old OS/2 one: 16-bit sizes and
        // never compressed.
        width = le16(18);
        height = qAbs(le16(20));
        bitsPerPixel = static_cast<quint16>(le16(24));
    } else {
        if (file.size() < 54)
            return false;
        width = le32(18);
        height = qAbs(static_cast<qint64>(le32(22)));
        bitsPerPixel = static_cast<quint16>(le16(28));
        const qint32 compression = le32(30);
        if (compression != 0 && compression != 3)
            return le32(22) > 0; // run-length data has no fixed size, and runs upwards
        masks = compression == 3 && headerSize == 40 ? 12 : 0;
        colours = static_cast<quint32>(le32(46));
    }
    if (bitsPerPixel <= 8)
        colours = colours > 0 ? colours : qint64(1) << bitsPerPixel;
    // The rows start where the header says, or after the colour table when
    // the header points inside it (or anywhere before the file). The old
    // header's colours take three bytes, the others' four.
    const qint64 colourBytes = (headerSize == 12 ? 3 : 4) * colours;
    const qint64 rowsStart = std::max(dataOffset, 14 + std::max<qint64>(headerSize, 12) + masks + colourBytes);
    // At most 2^31 pixels of 2^16 bits: a row's bytes fit, the product of
    // rows and height might not, so the rows are divided out instead.
    const qint64 rowBytes = ((width * bitsPerPixel + 31) / 32) * 4;
    if (rowBytes <= 0 || height == 0)
        return true; // no picture at all: the reader refuses it
    const qint64 available = file.size() - rowsStart;
    return available >= 0 && available / rowBytes >= height;
}

QString sizeText(QSize size, QSize requiredSize)
{
    return tr("l'immagine è di %1 × %2 pixel invece di %3 × %4")
        .arg(size.width())
        .arg(size.height())
        .arg(requiredSize.width())
        .arg(requiredSize.height());
}

// At most limit + 1 bytes, read in steps: memory follows what the file
// holds, whatever its size says (a device or a pipe has none).
QByteArray readAtMost(QFile &file, qint64 limit)
{
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(std::clamp<qint64>(file.size(), 0, limit + 1)));
    std::array<char, 64 * 1024> chunk{};
    while (bytes.size() <= limit) {
        const qint64 n = file.read(chunk.data(), static_cast<qint64>(chunk.size()));
        if (n <= 0)
            break;
        bytes.append(chunk.data(), static_cast<qsizetype>(n));
    }
    return bytes;
}

QString tooLarge()
{
    return tr("il file è troppo grande (più di %1 MB)").arg(imagefiles::kMaxMegabytes);
}

} // namespace

namespace imagefiles {

Loaded read(const QByteArray &bytes, QSize requiredSize)
{
    // Qt's own limit on what one picture may take once decoded, the same for
    // every reader of the program; set once, as the map's pictures are read
    // on two threads at a time.
    static std::once_flag limitSet;
    std::call_once(limitSet, [] { QImageReader::setAllocationLimit(kMaxMegabytes); });

    Loaded result;
    if (bytes.size() > kMaxFileBytes) {
        result.reason = tooLarge();
        return result;
    }
    if (!bmpIsComplete(bytes)) {
        result.reason = tr("il file BMP è incompleto");
        return result;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setDecideFormatFromContent(true);
    // The header's size, where the format tells it without decoding.
    const QSize announced = reader.size();
    if (requiredSize.isValid() && announced.isValid() && announced != requiredSize) {
        result.reason = sizeText(announced, requiredSize);
        return result;
    }
    // Decoded over a picture of zeros of the header's size (a BMP's negative
    // height stands for rows from the top down) and format: Qt keeps it when
    // they match, and pixels the file skips (run-length BMPs may) stay 0
    // instead of what the memory held before.
    const QSize decoded(announced.width(), qAbs(announced.height()));
    QImage image;
    if (!decoded.isEmpty() && qint64(decoded.width()) * decoded.height() <= qint64(kMaxMegabytes) * 1024 * 1024 / 4) {
        image = QImage(decoded, reader.imageFormat());
        image.fill(0);
    }
    if (!reader.read(&image))
        image = QImage();
    if (image.isNull()) {
        result.reason = tr("il file non è un'immagine BMP, DIB o JPEG leggibile");
        return result;
    }
    if (requiredSize.isValid() && image.size() != requiredSize) {
        result.reason = sizeText(image.size(), requiredSize);
        return result;
    }
    result.image = image.convertToFormat(QImage::Format_RGB32);
    return result;
}

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
    if (file.size() > kMaxFileBytes) {
        result.reason = tooLarge();
        return result;
    }
    const QByteArray bytes = readAtMost(file, kMaxFileBytes);
    if (bytes.size() > kMaxFileBytes) {
        result.reason = tooLarge();
        return result;
    }
    return read(bytes, requiredSize);
}

QString failureMessage(const QString &fileName, const QString &folder, const QString &reason)
{
    return tr("Impossibile caricare il file \"%1\" dalla cartella \"%2\": %3.")
        .arg(fileName, QDir::toNativeSeparators(folder), reason);
}

} // namespace imagefiles
