#include "SieveFiles.h"

#include "ImageFiles.h"
#include "SieveDrawing.h"

#include <QCoreApplication>
#include <QDir>

namespace sievefiles {

namespace {

QString tr(const char *text) { return QCoreApplication::translate("sievefiles", text); }

Picture load(const QString &folder, const QString &fileName)
{
    Picture result;
    const imagefiles::Loaded loaded = imagefiles::load(QDir(folder).filePath(fileName));
    if (!loaded.ok())
        result.message = imagefiles::failureMessage(fileName, folder, loaded.reason);
    else
        result.image = loaded.image;
    return result;
}

} // namespace

QString faunaFileName()
{
    return QStringLiteral("fauna.dib");
}

Picture caricaFauna(const QString &folder)
{
    Picture result = load(folder, faunaFileName());
    if (result.ok() && (result.image.width() < kFaunaWidth || result.image.height() < kFaunaHeight)) {
        const QString reason = tr("l'immagine è di %1 × %2 pixel, meno dei %3 × %4 che servono")
                                   .arg(result.image.width())
                                   .arg(result.image.height())
                                   .arg(kFaunaWidth)
                                   .arg(kFaunaHeight);
        result.message = imagefiles::failureMessage(faunaFileName(), folder, reason);
        result.image = QImage();
    }
    return result;
}

Picture caricaSfondo(const QString &folder, int option)
{
    return load(folder, sievedrawing::fileSfondo(option));
}

} // namespace sievefiles
