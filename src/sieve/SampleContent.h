#pragma once

#include <functional>

struct Velmara;

// The catch of the selected station as individual organisms on the sieve:
// a position and one of four orientations each, drawn at random once per
// opening of the sieve window and then only read.
namespace samplecontent {

// The sieve picture, in twips, and its size in pixels at 15 twips a pixel
// (twips::toPx): 529 x 530.
constexpr int kSetaccioPicWidthTwips = 7935;
constexpr int kSetaccioPicHeightTwips = 7950;

// The fixed drawing parameters: mesh colour and spacing, number of species,
// sprite cell size.
void impostaParametri(Velmara &v);

// Organisms in the sample of StazSel; a count below 0 adds none, a station
// outside the tables has none.
int numeroOrganismi(const Velmara &v);

// Rebuilds ContX, ContY and ContRot (element 0 unused) species by species,
// taking exactly three values of `draw` per organism: x, y, orientation.
// `draw` yields uniform values in [0, 1).
void CaricaContenuto(Velmara &v, const std::function<float()> &draw);

} // namespace samplecontent
