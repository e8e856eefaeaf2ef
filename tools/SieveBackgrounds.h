#pragma once

#include <QImage>
#include <QString>

#include <vector>

struct SieveBackground {
    QString fileName; // sand.jpg, bianco.jpg, nero.jpg, celeste.jpg, blu.jpg
    QImage image;     // at least 529 x 530
};

std::vector<SieveBackground> generateSieveBackgrounds(quint32 seed);
