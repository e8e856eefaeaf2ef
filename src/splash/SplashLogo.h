#pragma once

#include <QImage>

// The splash window's logo, drawn here rather than shipped: a grab lowered
// on its cable over the sea floor, a round sieve with a few animals of the
// sediment, all in greys.
namespace splashlogo {

inline constexpr int kWidth = 186;
inline constexpr int kHeight = 269;

// Format_Grayscale8, kWidth x kHeight; the same picture on every call.
QImage draw();

} // namespace splashlogo
