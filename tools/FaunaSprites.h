#pragma once

#include "SpriteStrokes.h"

// The organisms. Each draws around the origin, head or front along +x or -y,
// inside the cell's inner square once its base rotation is applied.
namespace fauna {

// Worms
void drawNephtys(QPainter &p, Rng &rng);
void drawLanice(QPainter &p, Rng &rng);
void drawCapitella(QPainter &p, Rng &rng);
// Shells
void drawChamelea(QPainter &p, Rng &rng);
void drawTellina(QPainter &p, Rng &rng);
void drawNassarius(QPainter &p, Rng &rng);
void drawAntalis(QPainter &p, Rng &rng);
// Crustaceans
void drawAmphipod(QPainter &p, Rng &rng);
void drawCumacean(QPainter &p, Rng &rng);
void drawLiocarcinus(QPainter &p, Rng &rng);
// Echinoderms
void drawAmphiura(QPainter &p, Rng &rng);
void drawEchinocardium(QPainter &p, Rng &rng);

} // namespace fauna
