#include "ImageFiles.h"
#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>

class TestImageFiles : public QObject
{
    Q_OBJECT

private slots:
    void readsBmpJpegAndDibByContent();
    void refusesWhatCannotBeUsed();
    void messageNamesFileAndFolder();

private:
    QTemporaryDir dir_;
};

void TestImageFiles::readsBmpJpegAndDibByContent()
{
    const QImage picture = testdata::image(40, 30, [](int x, int y) { return qRgb(x * 6, y * 8, 77); });
    QVERIFY(picture.save(dir_.filePath(QStringLiteral("a.bmp")), "BMP"));
    QVERIFY(picture.save(dir_.filePath(QStringLiteral("fauna.dib")), "BMP"));
    QVERIFY(picture.save(dir_.filePath(QStringLiteral("sand.jpg")), "JPEG", 95));

    const auto bmp = imagefiles::load(dir_.filePath(QStringLiteral("a.bmp")));
    QVERIFY(bmp.ok());
    QCOMPARE(bmp.image.format(), QImage::Format_RGB32);
    QCOMPARE(bmp.image, picture);
    // An ordinary BMP named .dib is read by its content.
    const auto dib = imagefiles::load(dir_.filePath(QStringLiteral("fauna.dib")));
    QVERIFY2(dib.ok(), qPrintable(dib.reason));
    QCOMPARE(dib.image, picture);
    const auto jpeg = imagefiles::load(dir_.filePath(QStringLiteral("sand.jpg")), QSize(40, 30));
    QVERIFY(jpeg.ok());
    QCOMPARE(jpeg.image.size(), QSize(40, 30));
}

void TestImageFiles::refusesWhatCannotBeUsed()
{
    const auto missing = imagefiles::load(dir_.filePath(QStringLiteral("nothing.bmp")));
    QVERIFY(!missing.ok());
    QVERIFY(missing.reason.contains(QStringLiteral("non esiste")));

    QFile text(dir_.filePath(QStringLiteral("text.bmp")));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    QVERIFY(!imagefiles::load(text.fileName()).ok());

    const QImage picture = testdata::image(64, 64, [](int x, int y) { return qRgb(x, y, 0); });
    const QString whole = dir_.filePath(QStringLiteral("whole.bmp"));
    QVERIFY(picture.save(whole, "BMP"));
    const auto wrongSize = imagefiles::load(whole, QSize(512, 512));
    QVERIFY(!wrongSize.ok());
    QVERIFY(wrongSize.reason.contains(QStringLiteral("64 × 64")));

    // A BMP cut short would otherwise open with blank rows.
    QFile file(whole);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    file.close();
    QFile cut(dir_.filePath(QStringLiteral("cut.bmp")));
    QVERIFY(cut.open(QIODevice::WriteOnly));
    cut.write(bytes.left(bytes.size() - 100));
    cut.close();
    const auto truncated = imagefiles::load(cut.fileName());
    QVERIFY(!truncated.ok());
    QVERIFY(truncated.reason.contains(QStringLiteral("incompleto")));
}

void TestImageFiles::messageNamesFileAndFolder()
{
    const QString message = imagefiles::failureMessage(QStringLiteral("bati.bmp"), QStringLiteral("/opt/fondalis"),
                                                       QStringLiteral("il file non esiste"));
    QVERIFY(message.contains(QStringLiteral("bati.bmp")));
    QVERIFY(message.contains(QStringLiteral("/opt/fondalis")));
    QVERIFY(message.contains(QStringLiteral("il file non esiste")));
}

QTEST_MAIN(TestImageFiles)
#include "tst_imagefiles.moc"
