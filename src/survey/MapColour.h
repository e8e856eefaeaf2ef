#pragma once

#include <cstdint>
#include <optional>

// Colour values are the program's 32-bit signed integers
// red + 256 * green + 65536 * blue; -1 stands for a point outside a picture.
using ColourValue = std::int32_t;

namespace mapcolour {

constexpr ColourValue kPureRed = 255;
constexpr ColourValue kWhite = 16777215;
constexpr ColourValue kBlack = 0;

constexpr ColourValue rgb(int r, int g, int b) { return r + 256 * g + 65536 * b; }

// (c mod 65536) mod 256 with a remainder that keeps the sign of c, so the
// value -1 of a point outside the picture gives -1.
constexpr int redComponent(ColourValue c) { return (c % 65536) % 256; }

// Depth in whole metres from a bathymetry pixel: red 0 means no depth there,
// red 1..255 gives -75..179 m (depths of 0 m and less yield no organisms).
std::optional<int> ProfonditaDaColore(ColourValue c);

// Organisms of one species from a species-image pixel: floor((255 - R)^0.75),
// computed exactly, so that n = 16 gives 8 and n = 81 gives 27.
int ConteggioDaColore(ColourValue c);

// The smallest darkness n = 255 - R whose count is k (0..63): how a data set
// writes a count so that it reads back exactly.
int darknessForCount(int k);

} // namespace mapcolour

// Map pixels are 10 m square; y in metres grows northwards from the bottom row.
namespace metres {

constexpr int kMetresPerPixel = 10;
constexpr int kTopRowMetres = 5110; // row 0; the bottom row 511 is 0 m

constexpr int x(int column) { return kMetresPerPixel * column; }
constexpr int y(int row) { return kTopRowMetres - kMetresPerPixel * row; }
constexpr float x(float column) { return 10.0f * column; }
constexpr float y(float row) { return 5110.0f - 10.0f * row; }

} // namespace metres
