// Writes the sea-area data set that Fondalis reads from its own folder:
// the chart, the bathymetry, twelve species images, the fauna sprite sheet
// and the five sieve backgrounds; on request also a copy of the program, so
// that the folder runs on its own.
#include "FaunaSheet.h"
#include "GenOptions.h"
#include "SeaArea.h"
#include "SieveBackgrounds.h"
#include "ToolMessages.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QStringList>

#include <cstdio>

namespace {

void say(const QString &text) { std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData()); }

bool write(const QDir &dir, const QString &name, const QImage &image, const char *format, int quality = -1)
{
    QImageWriter writer(dir.filePath(name), format);
    if (quality >= 0)
        writer.setQuality(quality);
    // Qt writes every BMP as 24-bit, which is what the program expects.
    if (!writer.write(image)) {
        say(QStringLiteral("fondalis-gen: impossibile scrivere «%1»: %2").arg(dir.filePath(name), writer.errorString()));
        return false;
    }
    return true;
}

// Installed, the program lives in lib/fondalis/ beside bin/; in the build
// tree it is in bin/ beside tools/. Both are found from this tool's own
// resolved folder, so a moved installation still finds it.
QString findProgram()
{
    const QDir here(QCoreApplication::applicationDirPath());
    for (const char *candidate : {"../lib/fondalis/fondalis", "../bin/fondalis"}) {
        const QFileInfo program(here.filePath(QString::fromLatin1(candidate)));
        if (program.isFile() && program.isExecutable())
            return program.canonicalFilePath();
    }
    return {};
}

bool copyProgram(const QString &program, const QDir &dir)
{
    const QString target = dir.filePath(QStringLiteral("fondalis"));
    QFile::remove(target);
    QFile source(program);
    if (!source.copy(target)) {
        say(QStringLiteral("fondalis-gen: impossibile copiare il programma in «%1»: %2").arg(target, source.errorString()));
        return false;
    }
    return QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                             | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
}

} // namespace

int main(int argc, char *argv[])
{
    // Answers to the command line come before Qt starts, free of its notices.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const GenOptions options = genoptions::parse(arguments);
    if (options.action == GenOptions::Action::Help) {
        std::printf("%s", genoptions::helpText().toLocal8Bit().constData());
        return 0;
    }
    if (options.action == GenOptions::Action::Fail) {
        say(options.message);
        return options.status;
    }
    // Text on the chart needs fonts, hence a GUI application, but never a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    toolmessages::keepOnlyOwnMessages();
    QGuiApplication app(argc, argv);

    QDir dir(options.folder);
    if (!options.overwrite && dir.exists()
        && !dir.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System)) {
        say(QStringLiteral("fondalis-gen: la cartella «%1» contiene già altri file; per scriverci lo stesso, "
                           "aggiungere --sovrascrivi.")
                .arg(options.folder));
        return 1;
    }
    QString program;
    if (options.withProgram) {
        program = findProgram();
        if (program.isEmpty()) {
            say(QStringLiteral("fondalis-gen: non trovo il programma fondalis da copiare (cercato in ../lib/fondalis/ "
                               "e ../bin/ accanto a «%1»).")
                    .arg(QCoreApplication::applicationDirPath()));
            return 1;
        }
    }
    if (!dir.mkpath(QStringLiteral("."))) {
        say(QStringLiteral("fondalis-gen: impossibile creare la cartella «%1».").arg(options.folder));
        return 1;
    }

    const SeaArea area = generateSeaArea(options.seed);
    bool ok = write(dir, QStringLiteral("base.bmp"), area.base, "BMP")
              && write(dir, QStringLiteral("bati.bmp"), area.bati, "BMP");
    for (int i = 0; ok && i < 12; ++i)
        ok = write(dir, QStringLiteral("s%1.bmp").arg(i + 1), area.species[i], "BMP");
    // A .dib is an ordinary BMP file here; the program reads it by content.
    ok = ok && write(dir, QStringLiteral("fauna.dib"), generateFaunaSheet(options.seed), "BMP");
    for (const SieveBackground &background : generateSieveBackgrounds(options.seed)) {
        if (!ok)
            break;
        ok = write(dir, background.fileName, background.image, "JPEG", 95);
    }
    if (ok && options.withProgram)
        ok = copyProgram(program, dir);
    return ok ? 0 : 1;
}
