#include "SurveyMap.h"

#include "ImageFiles.h"

#include <QDir>

namespace {

std::array<PictureSurface, Velmara::kNumSpecie> speciesSurfaces()
{
    std::array<PictureSurface, Velmara::kNumSpecie> surfaces;
    surfaces.fill(PictureSurface(QSize(SurveyMap::kSide, SurveyMap::kSide)));
    return surfaces;
}

} // namespace

SurveyMap::SurveyMap(Velmara &state)
    : v(state)
    , Specie(speciesSurfaces())
{
}

QString SurveyMap::loadImages(const QString &folder)
{
    QStringList names{QStringLiteral("bati.bmp"), QStringLiteral("base.bmp")};
    for (int i = 1; i <= Velmara::kNumSpecie; ++i)
        names << QStringLiteral("s%1.bmp").arg(i);

    const QSize side(kSide, kSide);
    std::vector<QImage> images;
    for (const QString &name : names) {
        imagefiles::Loaded loaded = imagefiles::load(QDir(folder).filePath(name), side);
        if (!loaded.ok())
            return imagefiles::failureMessage(name, folder, loaded.reason);
        images.push_back(std::move(loaded.image));
    }
    Bati.setPicture(images[0]);
    Mappa.setPicture(images[1]);
    for (int i = 0; i < Velmara::kNumSpecie; ++i)
        Specie[i].setPicture(images[2 + i]);
    return {};
}

QString stationCountText(int count)
{
    return QString::number(count) + (count == 1 ? QStringLiteral(" stazione") : QStringLiteral(" stazioni"));
}
