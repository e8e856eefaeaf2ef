#pragma once

#include "ImageFiles.h"

#include <QImage>
#include <QString>

// The pictures the sieve and the gallery read from the program's folder,
// each checked before anything is drawn with it.
namespace sievefiles {

struct Picture {
    QImage image;    // RGB32, null on failure
    QString message; // for the user, naming the file; empty on success
    bool ok() const { return !image.isNull(); }
};

constexpr int kFaunaWidth = 600;
constexpr int kFaunaHeight = 200;

QString faunaFileName(); // "fauna.dib"

// The sprite sheet, read by content; smaller than 600 x 200 is refused.
Picture caricaFauna(const QString &folder);
// The same check of a sheet already read, as if from fauna.dib in the folder.
Picture controllaFauna(const imagefiles::Loaded &loaded, const QString &folder);

// The background of option button `option` (0..4), at any size.
Picture caricaSfondo(const QString &folder, int option);

} // namespace sievefiles
