#include "ImageFiles.h"
#include "TestData.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

class TestImageFiles : public QObject
{
    Q_OBJECT

private slots:
    void readsBmpJpegAndDibByContent();
    void refusesWhatCannotBeUsed();

private:
    QTemporaryDir dir_;
};

void TestImageFiles::readsBmpJpegAndDibByContent()
{
    const QImage picture = testdata::image(40, 30, [](int x, int y) { return qRgb(x * 6, y * 8, 77); });
    QVERIFY(picture.save(dir_.filePath(QStringLiteral("fauna.dib")), "BMP"));
    QVERIFY(picture.save(dir_.filePath(QStringLiteral("sand.jpg")), "JPEG", 95));

    // An ordinary BMP named .dib is read by its content.
    const auto dib = imagefiles::load(dir_.filePath(QStringLiteral("fauna.dib")));
    QVERIFY2(dib.ok(), qPrintable(dib.reason));
    QCOMPARE(dib.image, picture);
    const auto jpeg = imagefiles::load(dir_.filePath(QStringLiteral("sand.jpg")), QSize(40, 30));
    QVERIFY(jpeg.ok());
    QCOMPARE(jpeg.image.size(), QSize(40, 30));

    // The old OS/2 form of BMP: a 12-byte header with 16-bit sizes.
    QByteArray os2("BM\x2A\0\0\0\0\0\0\0\x1A\0\0\0" "\x0C\0\0\0\x02\0\x02\0\x01\0\x18\0", 26);
    os2 += QByteArray("\x00\x00\xFF\x00\x00\x00\0\0" "\xFF\x00\x00\xFF\xFF\xFF\0\0", 16);
    QVERIFY(testdata::put(dir_.filePath(QStringLiteral("os2.bmp")), os2));
    const auto old = imagefiles::load(dir_.filePath(QStringLiteral("os2.bmp")), QSize(2, 2));
    QVERIFY2(old.ok(), qPrintable(old.reason));
    QCOMPARE(old.image.pixel(0, 1), qRgb(255, 0, 0));
    QVERIFY(testdata::put(dir_.filePath(QStringLiteral("os2cut.bmp")), os2.left(38)));
    QVERIFY(imagefiles::load(dir_.filePath(QStringLiteral("os2cut.bmp"))).reason.contains(QStringLiteral("incompleto")));
}

void TestImageFiles::refusesWhatCannotBeUsed()
{
    const auto missing = imagefiles::load(dir_.filePath(QStringLiteral("nothing.bmp")));
    QVERIFY(missing.reason.contains(QStringLiteral("non esiste")));
    QVERIFY(testdata::put(dir_.filePath(QStringLiteral("text.bmp")), "not a picture"));
    QVERIFY(!imagefiles::load(dir_.filePath(QStringLiteral("text.bmp"))).ok());

    const QString whole = dir_.filePath(QStringLiteral("whole.bmp"));
    QVERIFY(testdata::image(64, 64, [](int x, int y) { return qRgb(x, y, 0); }).save(whole, "BMP"));
    // One row too many is as wrong as any other size.
    const auto wrongSize = imagefiles::load(whole, QSize(64, 63));
    QVERIFY(!wrongSize.ok());
    QVERIFY(wrongSize.reason.contains(QStringLiteral("64 × 64")));

    // A BMP cut short would otherwise open with blank rows.
    const QByteArray bytes = testdata::contents(whole);
    QVERIFY(testdata::put(dir_.filePath(QStringLiteral("cut.bmp")), bytes.left(bytes.size() - 100)));
    const auto truncated = imagefiles::load(dir_.filePath(QStringLiteral("cut.bmp")));
    QVERIFY(!truncated.ok());
    QVERIFY(truncated.reason.contains(QStringLiteral("incompleto")));
}

QTEST_MAIN(TestImageFiles)
#include "tst_imagefiles.moc"
