#pragma once

#include <QString>

struct Velmara;

// The catch of StazSel as the sieve window lists it: station, depth, an
// empty line and one line per species, every line ended by CR LF, e.g.
// "Stazione 7", "Prof. 23 m", "", "Sp. 1  \t 5", ...
namespace countlist {

QString MostraListaText(const Velmara &v);

} // namespace countlist
