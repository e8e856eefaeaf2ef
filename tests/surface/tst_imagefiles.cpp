#include "ImageFiles.h"
#include "TestData.h"

#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

class TestImageFiles : public QObject
{
    Q_OBJECT

private slots:
    void readsBmpAndDibByContent();
    void refusesWhatCannotBeUsed();

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
    // A BMP cut short would otherwise open with blank rows.
    const QByteArray bytes = testdata::contents(whole);
    const auto truncated = load(QStringLiteral("cut.bmp"), bytes.left(bytes.size() - 100));
    QVERIFY(!truncated.ok() && truncated.reason.contains(QStringLiteral("incompleto")));
}

QTEST_MAIN(TestImageFiles)
#include "tst_imagefiles.moc"
