// The built fondalis-studio in a real X window, under openbox and with no
// window manager (FONDALIS_TEST_WM=none), used as a student would: started
// with two surveys, framed and centred, its tabs switched by keyboard, the
// report saved through the file dialog by typing, closed by a close
// request; and a fresh home folder left as it was.
#include "Analisi.h"
#include "FolderContents.h"
#include "X11Tools.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kTitle = QStringLiteral("Fondalis Studio$");

// The share of bluish pixels: the sea of the area's map.
double blueShare(const QImage &image)
{
    long blue = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            blue += qBlue(c) > qRed(c) + 40;
        }
    return double(blue) / std::max<qint64>(1, qint64(image.width()) * image.height());
}

int pdfPages(const QString &pdf)
{
    QProcess p;
    p.start(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {pdf});
    p.waitForFinished(30000);
    return QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(p.readAllStandardOutput())).captured(1).toInt();
}

} // namespace

class TestStudioDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void cleanupTestCase();

    void windowIsFramedCentredAndShowsTheMap();
    void tabsSwitchByKeyboard();
    void reportIsSavedThroughTheDialogByTyping();
    void aCloseRequestEndsTheProgram();
    void nothingIsWrittenButTheSavedReport();

private:
    // With no window manager nobody gives a window the keyboard: the test
    // does, as a window manager would on a click.
    void giveKeyboard(const QString &window);
    void keys(const QString &window, const QString &sequence);
    QString title() const { return x11::windowName(mainId_); }
    // Beside the test's log, named after the test and the window manager.
    QString screenshotPath(const QString &what) const
    {
        return QDir::current().absoluteFilePath(
            QStringLiteral("tst_studio_desktop%1-%2.png").arg(wm_ ? QString() : QStringLiteral("_nowm"), what));
    }

    QTemporaryDir wmHome_, home_, config_, work_;
    QProcess openbox_, program_;
    const bool wm_ = qEnvironmentVariable("FONDALIS_TEST_WM") != QLatin1String("none");
    QString mainId_;
};

void TestStudioDesktop::initTestCase()
{
    const QString path = qEnvironmentVariable("FONDALIS_STUDIO");
    QVERIFY2(QFileInfo::exists(path), "FONDALIS_STUDIO must name the built studio");
    // Two surveys of the program's area, as a class saves them.
    for (const auto &[name, seed] : {std::pair{"rilievo-a.txt", 11}, std::pair{"rilievo-b.txt", 12}}) {
        QString table, errors;
        QTextStream out(&table), err(&errors);
        const QStringList args{QStringLiteral("disegno"), QStringLiteral("casuale"), QStringLiteral("18"),
                               QStringLiteral("--seme"), QString::number(seed)};
        QCOMPARE(runAnalisi(args, out, err, QFileInfo(path).absolutePath()), 0);
        QFile file(QDir(work_.path()).filePath(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(table.toUtf8()) > 0);
    }
    if (wm_)
        QVERIFY2(x11::startOpenbox(openbox_, wmHome_.path()), "openbox did not start");

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home_.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config_.path());
    program_.setProcessEnvironment(environment);
    program_.setWorkingDirectory(work_.path());
    program_.setProcessChannelMode(QProcess::ForwardedChannels);
    program_.start(path, {QStringLiteral("rilievo-a.txt"), QStringLiteral("rilievo-b.txt")});
    QVERIFY(program_.waitForStarted());
    mainId_ = x11::waitForWindow(kTitle, 20000);
    QVERIFY2(!mainId_.isEmpty(), "the window did not appear");
}

void TestStudioDesktop::cleanup()
{
    const QString path = screenshotPath(QLatin1String(QTest::currentTestFunction()));
    if (QTest::currentTestFailed() && QGuiApplication::primaryScreen()->grabWindow(0).save(path))
        qInfo("Screen saved to %s", qPrintable(path));
}

void TestStudioDesktop::cleanupTestCase()
{
    for (QProcess *process : {&program_, &openbox_}) {
        if (process->state() != QProcess::NotRunning) {
            process->kill();
            process->waitForFinished();
        }
    }
}

void TestStudioDesktop::giveKeyboard(const QString &window)
{
    if (!wm_)
        x11::xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
    QTest::qWait(300);
}

void TestStudioDesktop::keys(const QString &window, const QString &sequence)
{
    giveKeyboard(window);
    x11::xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80"), sequence});
}

void TestStudioDesktop::windowIsFramedCentredAndShowsTheMap()
{
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QTRY_VERIFY_WITH_TIMEOUT(x11::centredWithFrame(mainId_), 5000);
    QCOMPARE(x11::frameExtents(mainId_).top() > 0, wm_);
    // A sensible size: most of the screen, all of it inside.
    const QRect client = x11::clientRect(mainId_);
    QVERIFY2(client.width() >= screen.width() * 3 / 4 && client.height() >= screen.height() * 3 / 4,
             qPrintable(QStringLiteral("%1 x %2").arg(client.width()).arg(client.height())));
    QVERIFY(screen.contains(client));

    // The first survey's map, drawn for the window: a good part of it is sea.
    QTRY_VERIFY_WITH_TIMEOUT(title().startsWith(QStringLiteral("rilievo-a.txt · Mappa")), 5000);
    QTest::qWait(500);
    const QImage shown = x11::grab(client);
    shown.save(screenshotPath(QStringLiteral("finestra")));
    QVERIFY2(blueShare(shown) > 0.2, qPrintable(QString::number(blueShare(shown))));
}

void TestStudioDesktop::tabsSwitchByKeyboard()
{
    const auto shows = [this](const QString &tab) {
        return QTest::qWaitFor([&] { return title().contains(QStringLiteral(" · %1 – ").arg(tab)); }, 5000);
    };
    keys(mainId_, QStringLiteral("alt+z"));
    QVERIFY2(shows(QStringLiteral("Zonazione")), qPrintable(title()));
    keys(mainId_, QStringLiteral("alt+i"));
    QVERIFY2(shows(QStringLiteral("Indici")), qPrintable(title()));
    // From the tab bar, Ctrl+Tab goes on to the next tab.
    keys(mainId_, QStringLiteral("ctrl+Tab"));
    QVERIFY2(shows(QStringLiteral("Verità")), qPrintable(title()));
    keys(mainId_, QStringLiteral("alt+c"));
    QVERIFY2(shows(QStringLiteral("Classe")), qPrintable(title()));
    // The community tab as a student first sees it: the README's picture of
    // the studio is this screenshot.
    keys(mainId_, QStringLiteral("alt+n"));
    QVERIFY2(shows(QStringLiteral("Comunità")), qPrintable(title()));
    QTest::qWait(1500);
    x11::grab(x11::clientRect(mainId_)).save(screenshotPath(QStringLiteral("comunita")));
    keys(mainId_, QStringLiteral("alt+m"));
    QVERIFY2(shows(QStringLiteral("Mappa")), qPrintable(title()));
}

void TestStudioDesktop::reportIsSavedThroughTheDialogByTyping()
{
    // Both surveys are selected: the class's report.
    keys(mainId_, QStringLiteral("ctrl+r"));
    const QString dialog = x11::waitForWindow(QStringLiteral("^Salva rapporto PDF$"));
    QVERIFY2(!dialog.isEmpty(), "no save dialog");
    if (wm_)
        QTRY_COMPARE_WITH_TIMEOUT(x11::activeWindow(), dialog, 5000);
    // The name offered is selected: typing replaces it.
    keys(dialog, QStringLiteral("ctrl+a"));
    giveKeyboard(dialog);
    x11::xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), QStringLiteral("mio-rapporto.pdf")});
    keys(dialog, QStringLiteral("Return"));
    const QString pdf = QDir(work_.path()).filePath(QStringLiteral("mio-rapporto.pdf"));
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(pdf).size() > 0 && pdfPages(pdf) > 0, 10000);
    QTRY_VERIFY(x11::windows(QStringLiteral("^Salva rapporto PDF$")).isEmpty());

    // The page count of classe for the same two files.
    const QString command = QDir(work_.path()).filePath(QStringLiteral("comando.pdf"));
    QString out, err;
    QTextStream o(&out), e(&err);
    const QStringList args{QStringLiteral("classe"), QDir(work_.path()).filePath(QStringLiteral("rilievo-a.txt")),
                           QDir(work_.path()).filePath(QStringLiteral("rilievo-b.txt")), QStringLiteral("-o"), command};
    QCOMPARE(runAnalisi(args, o, e, QFileInfo(qEnvironmentVariable("FONDALIS_STUDIO")).absolutePath()), 0);
    QCOMPARE(pdfPages(pdf), pdfPages(command));
    QVERIFY(QFile::remove(command));
}

void TestStudioDesktop::aCloseRequestEndsTheProgram()
{
    // What the frame's close button sends; with no frame, "Esci" by its key.
    if (wm_)
        x11::run("WMCTRL", "wmctrl", {QStringLiteral("-c"), QStringLiteral("Fondalis Studio")});
    else
        keys(mainId_, QStringLiteral("ctrl+q"));
    QVERIFY(program_.waitForFinished(10000));
    QCOMPARE(program_.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program_.exitCode(), 0);
    QVERIFY(x11::windows(kTitle).isEmpty());
}

void TestStudioDesktop::nothingIsWrittenButTheSavedReport()
{
    QCOMPARE(program_.state(), QProcess::NotRunning);
    QCOMPARE(everythingIn(home_.path()), QStringList());
    QCOMPARE(everythingIn(config_.path()), QStringList());
    QCOMPARE(everythingIn(work_.path()),
             (QStringList{QStringLiteral("mio-rapporto.pdf"), QStringLiteral("rilievo-a.txt"), QStringLiteral("rilievo-b.txt")}));
}

QTEST_MAIN(TestStudioDesktop)
#include "tst_studio_desktop.moc"
