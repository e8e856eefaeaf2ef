#pragma once

#include <QString>

struct Velmara;

// The survey as it leaves the program: a tab-separated table with one column
// per station and seventeen lines, every one ended by CR LF, the last too.
namespace tabletext {

inline constexpr int kLines = 17;

// Stations 1..numStazioni, read in that order; rows beyond are never read.
// A count outside 0..100 is held to that range; with no station every
// non-empty line is its label alone.
QString build(const Velmara &v, int numStazioni);

} // namespace tabletext
