#include "ImageFiles.h"
#include "TestData.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

namespace {

// A small JPEG whose header promises width x height.
QByteArray jpegPromising(int width, int height)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    testdata::image(16, 16, [](int x, int y) { return qRgb(x * 16, y * 16, 90); }).save(&buffer, "JPEG");
    const qsizetype frame = bytes.indexOf("\xFF\xC0");
    qToBigEndian<quint16>(static_cast<quint16>(height), bytes.data() + frame + 5);
    qToBigEndian<quint16>(static_cast<quint16>(width), bytes.data() + frame + 7);
    return bytes;
}

// A BMP header of a 32-bit picture of width x height, without its rows.
QByteArray bmpPromising(qint32 width, qint32 height, quint16 bits = 32)
{
    QByteArray bytes("BM", 2);
    bytes.resize(54);
    qToLittleEndian<qint32>(54, bytes.data() + 10);
    qToLittleEndian<qint32>(40, bytes.data() + 14);
    qToLittleEndian<qint32>(width, bytes.data() + 18);
    qToLittleEndian<qint32>(height, bytes.data() + 22);
    qToLittleEndian<quint16>(1, bytes.data() + 26);
    qToLittleEndian<quint16>(bits, bytes.data() + 28);
    qToLittleEndian<qint32>(0, bytes.data() + 30);
    return bytes;
}

} // namespace

class TestImageFiles : public QObject
{
    Q_OBJECT

private slots:
    void readsBmpAndDibByContent();
    void refusesWhatCannotBeUsed();
    void refusesLargePromisesBeforeDecoding();
    void readsNothingFromMemory();

private:
    QTemporaryDir dir_;
    // Writes the bytes (unless empty) under the name and loads them back.
    imagefiles::Loaded load(const QString &name, const QByteArray &bytes = {}, QSize size = {})
    {
        if (!bytes.isEmpty() && !testdata::put(dir_.filePath(name), bytes))
            qFatal("cannot write %s", qPrintable(name));
        return imagefiles::load(dir_.filePath(name), size);
    }
};

void TestImageFiles::readsBmpAndDibByContent()
{
    const QImage picture = testdata::image(40, 30, [](int x, int y) { return qRgb(x * 6, y * 8, 77); });
    QVERIFY(picture.save(dir_.filePath(QStringLiteral("fauna.dib")), "BMP"));

    // An ordinary BMP named .dib is read by its content.
    const auto dib = load(QStringLiteral("fauna.dib"));
    QVERIFY2(dib.ok(), qPrintable(dib.reason));
    QCOMPARE(dib.image, picture);

    // The old OS/2 form of BMP: a 12-byte header with 16-bit sizes.
    QByteArray os2("BM\x2A\0\0\0\0\0\0\0\x1A\0\0\0" "\x0C\0\0\0\x02\0\x02\0\x01\0\x18\0", 26);
    os2 += QByteArray("\x00\x00\xFF\x00\x00\x00\0\0" "\xFF\x00\x00\xFF\xFF\xFF\0\0", 16);
    const auto old = load(QStringLiteral("os2.bmp"), os2, QSize(2, 2));
    QVERIFY2(old.ok(), qPrintable(old.reason));
    QCOMPARE(old.image.pixel(0, 1), qRgb(255, 0, 0));
    QVERIFY(load(QStringLiteral("os2cut.bmp"), os2.left(38)).reason.contains(QStringLiteral("incompleto")));
    // Its 8-bit form, whose 256 colours take three bytes each.
    QByteArray os2Indexed("BM\x22\x03\0\0\0\0\0\0\x1A\x03\0\0" "\x0C\0\0\0\x02\0\x02\0\x01\0\x08\0", 26);
    for (int i = 0; i < 256; ++i)
        os2Indexed += QByteArray(1, char(i)) + QByteArray(1, char(255 - i)) + QByteArray(1, char(7));
    os2Indexed += QByteArray("\x01\x02\0\0" "\x03\x04\0\0", 8);
    const auto indexed = imagefiles::read(os2Indexed, QSize(2, 2));
    QVERIFY2(indexed.ok(), qPrintable(indexed.reason));
    QCOMPARE(indexed.image.pixel(1, 0), qRgb(7, 251, 4));
}

void TestImageFiles::refusesWhatCannotBeUsed()
{
    QVERIFY(load(QStringLiteral("nothing.bmp")).reason.contains(QStringLiteral("non esiste")));
    QVERIFY(!load(QStringLiteral("text.bmp"), "not a picture").ok());
    const QString whole = dir_.filePath(QStringLiteral("whole.bmp"));
    QVERIFY(testdata::image(64, 64, [](int x, int y) { return qRgb(x, y, 0); }).save(whole, "BMP"));
    // One row too many is as wrong as any other size.
    const auto wrongSize = load(QStringLiteral("whole.bmp"), {}, QSize(64, 63));
    QVERIFY(!wrongSize.ok() && wrongSize.reason.contains(QStringLiteral("64 × 64")));
    // A top-down BMP (negative height) hides its size from Qt's look at the
    // header: it is checked once decoded.
    QByteArray topDown = testdata::contents(whole);
    qToLittleEndian<qint32>(-64, topDown.data() + 22);
    const auto wrongTopDown = imagefiles::read(topDown, QSize(64, 63));
    QVERIFY2(!wrongTopDown.ok() && wrongTopDown.reason.contains(QStringLiteral("64 × 64")), qPrintable(wrongTopDown.reason));
    QVERIFY(imagefiles::read(topDown, QSize(64, 64)).ok());
    // A BMP cut short would otherwise open with blank rows.
    const QByteArray bytes = testdata::contents(whole);
    const auto truncated = load(QStringLiteral("cut.bmp"), bytes.left(bytes.size() - 100));
    QVERIFY(!truncated.ok() && truncated.reason.contains(QStringLiteral("incompleto")));
}

// A header promising more than the file holds, than the size required or
// than the reader may take is refused before the picture is decoded: the
// memory of the process stays where it was.
void TestImageFiles::refusesLargePromisesBeforeDecoding()
{
    const testdata::MemoryWatch memory;
    // Gigabytes of rows, and sizes whose row bytes times rows pass 64 bits.
    for (const QByteArray &header : {bmpPromising(60000, 60000), bmpPromising(5000, -5000),
                                     bmpPromising(0x7FFFFFFF, INT_MIN, 0xFFFF)}) {
        const auto refused = imagefiles::read(header);
        QVERIFY2(!refused.ok() && refused.reason.contains(QStringLiteral("incompleto")), qPrintable(refused.reason));
    }
    // 100 MB once decoded, within the reader's limit, but not the map's size.
    const auto map = imagefiles::read(jpegPromising(5000, 5000), QSize(512, 512));
    QVERIFY2(!map.ok() && map.reason.contains(QStringLiteral("5000 × 5000 pixel invece di 512 × 512")), qPrintable(map.reason));
    // Past the reader's limit at any size.
    QVERIFY(!imagefiles::read(jpegPromising(9000, 9000)).ok());
    QVERIFY2(memory.grownMegabytes() < 50, qPrintable(QString::number(memory.grownMegabytes())));

    // A file past the limit is not read at all (it holds no data: it takes
    // no room on the disk either).
    QFile huge(dir_.filePath(QStringLiteral("enorme.bmp")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(imagefiles::kMaxFileBytes + 1));
    huge.close();
    const testdata::MemoryWatch reading;
    QVERIFY(load(QStringLiteral("enorme.bmp")).reason.contains(QStringLiteral("troppo grande")));
    QVERIFY2(reading.grownMegabytes() < 50, qPrintable(QString::number(reading.grownMegabytes())));
    // The picture the promise is checked against still reads whole.
    const QImage picture = testdata::image(33, 17, [](int x, int y) { return qRgb(x * 7, y * 15, 40); });
    QByteArray bytes;
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::WriteOnly) && picture.save(&buffer, "BMP"));
    QCOMPARE(imagefiles::read(bytes, QSize(33, 17)).image, picture);
}

// Qt leaves pixels it has no data for as the memory held them: a picture
// must come out the same whatever ran before it.
void TestImageFiles::readsNothingFromMemory()
{
    const auto dirtyHeap = [] {
        for (int i = 0; i < 8; ++i) {
            QByteArray dirt(64 * 1024 >> i, char(0x5A));
            QVERIFY(dirt.count(char(0x5A)) == dirt.size());
        }
    };
    // A header of an unknown size is read by Qt as the old one, with
    // 16-bit sizes: here 9472 x 2 pixels of 16 bits that the file lacks.
    const QByteArray shortHeader = testdata::contents(QStringLiteral(FONDALIS_FUZZ_CORPUS "/picture/fault-short-header-rows-missing.bmp"));
    QCOMPARE(shortHeader.size(), 37);
    QVERIFY(imagefiles::read(shortHeader).reason.contains(QStringLiteral("incompleto")));
    // Offsets before the file's start: Qt reads on after the 12 bytes of
    // the old header, where 2553 rows of 9 pixels are missing.
    const QByteArray bogus = testdata::contents(QStringLiteral(FONDALIS_FUZZ_CORPUS "/picture/fault-bogus-offsets-rows-missing.bmp"));
    QVERIFY(imagefiles::read(bogus).reason.contains(QStringLiteral("incompleto")));
    // A run-length BMP may end before its last pixel: the rest is colour 0.
    QByteArray runs = bmpPromising(9, 7, 8);
    qToLittleEndian<qint32>(1, runs.data() + 30);
    qToLittleEndian<qint32>(2, runs.data() + 46);
    qToLittleEndian<qint32>(54 + 8, runs.data() + 10);
    runs += QByteArray("\x10\x20\xF0\x00\xF0\x20\x10\x00" "\x03\x01" "\x00\x01", 12);
    for (int attempt = 0; attempt < 3; ++attempt) {
        dirtyHeap();
        const QImage image = imagefiles::read(runs).image;
        QCOMPARE(image.size(), QSize(9, 7));
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 9; ++x)
                QCOMPARE(image.pixel(x, y), y == 6 && x < 3 ? qRgb(0x10, 0x20, 0xF0) : qRgb(0xF0, 0x20, 0x10));
    }
}

QTEST_MAIN(TestImageFiles)
#include "tst_imagefiles.moc"
