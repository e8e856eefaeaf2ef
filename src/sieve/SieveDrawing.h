#pragma once

#include "MapColour.h"

#include <QImage>
#include <QString>

#include <functional>

class PictureSurface;
class SpriteSheet;
struct Velmara;

// The sieve's picture, drawn without any window: background, mesh and the
// organisms of the sample cut from the fauna sprite sheet. The opaque runs of
// each sprite row, found once per sheet, are copied straight into the image,
// so that a full sample of 756 redraws in well under a millisecond and a
// background change feels instant.
namespace sievedrawing {

// Told after each organism how many have been drawn so far.
using Progress = std::function<void(int drawn)>;

constexpr int kOpzioniSfondo = 5;
// The background file of option button `option` (0 "sabbia" .. 4 "blu");
// empty for any other index.
QString fileSfondo(int option);

// Clears the sieve and lays the background picture from its top-left corner.
void stendiSfondo(PictureSurface &SetaccioPic, const QImage &background);

// Vertical lines at x = 0, PassoMaglia, ... up to LarghezzaPx, horizontal
// ones at y = 0, PassoMaglia, ... up to AltezzaPx, in ColoreMaglia.
void disegnaMaglia(PictureSurface &SetaccioPic, const Velmara &v);

// Copies the inner (cellWidth - 4) x (cellHeight - 4) pixels of sheet cell
// (column sp - 1, row rot) onto the target so that cell offset (ox, oy)
// lands at target units (x - 1 + ox, y - 1 + oy); pixels of the key colour
// are left out. Works in the target's own scale, so the sieve, whose y grows
// upwards, gets the sprite mirrored top to bottom.
void plotta_specie(PictureSurface &target, const QImage &sheet, ColourValue key, int cellWidth, int cellHeight,
                   float x, float y, int sp, int rot);

// Every organism of the sample, species 1 first; returns how many were drawn.
// A sheet made for another key colour or cell size than the state's is made
// afresh for this drawing.
int disegnaOrganismi(PictureSurface &SetaccioPic, const SpriteSheet &sprites, const Velmara &v,
                     const Progress &progress = {});
int disegnaOrganismi(PictureSurface &SetaccioPic, const QImage &sheet, const Velmara &v,
                     const Progress &progress = {});

// The whole sieve: background, mesh, organisms.
void CaricaSetaccio(PictureSurface &SetaccioPic, const QImage &background, const SpriteSheet &sprites,
                    const Velmara &v, const Progress &progress = {});
void CaricaSetaccio(PictureSurface &SetaccioPic, const QImage &background, const QImage &sheet, const Velmara &v,
                    const Progress &progress = {});

// The caption gains " (setaccio)" once: not when "setaccio" is already in it.
QString didascaliaDopoDisegno(const QString &caption);

} // namespace sievedrawing
