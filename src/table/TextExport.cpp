#include "TextExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace {

QString tr(const char *text) { return QCoreApplication::translate("textexport", text); }

// Qt's own reasons are English and vague ("Permission denied" for a missing
// temporary file too), so the common causes are told apart here.
QString reasonFor(const QFileInfo &target, const QString &qtReason, bool opened)
{
    const QFileInfo folder(target.absolutePath());
    if (!folder.exists())
        return tr("la cartella \"%1\" non esiste").arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isDir())
        return tr("\"%1\" non è una cartella").arg(QDir::toNativeSeparators(folder.filePath()));
    if (target.isDir())
        return tr("esiste già una cartella con questo nome");
    if (target.exists() && !target.isWritable())
        return tr("il file è protetto da scrittura");
    if (!opened && !folder.isWritable())
        return tr("non si hanno i permessi per scrivere nella cartella \"%1\"")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    if (!opened)
        return tr("il file non si può creare (%1)").arg(qtReason);
    return tr("la scrittura non è riuscita, forse il disco è pieno (%1)").arg(qtReason);
}

QString failure(const QString &path, const QString &reason)
{
    return tr("Impossibile salvare il file \"%1\": %2.").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

namespace textexport {

QString withCrLf(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
            out += QLatin1String("\r\n");
        } else if (c == QLatin1Char('\n') || c == QChar::ParagraphSeparator || c == QChar::LineSeparator) {
            out += QLatin1String("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}

QString write(const QString &path, const QString &text)
{
    const QFileInfo target(path);
    // A protected file is the user's choice; the rename that replaces a file
    // would quietly get round it.
    if (target.isDir() || (target.exists() && !target.isWritable()))
        return failure(path, reasonFor(target, QString(), false));

    QSaveFile file(path);
    // The new content goes to a temporary file beside the old one, which
    // then replaces it. In a folder the user cannot write, that file cannot
    // be made, yet an existing file the user may write can still be emptied
    // and written again in place: only there is the atomic replace given up.
    file.setDirectWriteFallback(target.exists() && !QFileInfo(target.absolutePath()).isWritable());
    if (!file.open(QIODevice::WriteOnly))
        return failure(path, reasonFor(target, file.errorString(), false));
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        return failure(path, reasonFor(target, file.errorString(), true));
    return {};
}

} // namespace textexport
