#pragma once

#include <vector>

class StudioTab;

namespace studiotabs {

// Every tab of the studio, in the order shown; the window owns them.
std::vector<StudioTab *> make();

} // namespace studiotabs
