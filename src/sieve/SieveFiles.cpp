#include "SieveFiles.h"

#include "ImageFiles.h"
#include "SieveDrawing.h"

#include <QCoreApplication>
#include <QDir>

namespace sievefiles {

namespace {

QString tr(const char *text) { return QCoreApplication::translate("sievefiles", text); }

Picture checked(const imagefiles::Loaded &loaded, const QString &folder, const QString &fileName)
{
    Picture result;
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
    return controllaFauna(imagefiles::load(QDir(folder).filePath(faunaFileName())), folder);
}

Picture controllaFauna(const imagefiles::Loaded &loaded, const QString &folder)
{
    Picture result = checked(loaded, folder, faunaFileName());
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
    const QString fileName = sievedrawing::fileSfondo(option);
    return checked(imagefiles::load(QDir(folder).filePath(fileName)), folder, fileName);
}

} // namespace sievefiles
