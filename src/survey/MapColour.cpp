#include "MapColour.h"

#include <cmath>

namespace mapcolour {

std::optional<int> ProfonditaDaColore(ColourValue c)
{
    const int red = redComponent(c);
    if (red == 0)
        return std::nullopt;
    return red - 76;
}

int ConteggioDaColore(ColourValue c)
{
    const long long n = 255 - redComponent(c);
    // pow may land a hair below an exact power (16^0.75 = 8), so settle the
    // floor in integers: the count is the largest k with k^4 <= n^3.
    long long k = static_cast<long long>(std::floor(std::pow(static_cast<double>(n), 0.75)));
    const long long cube = n * n * n;
    while ((k + 1) * (k + 1) * (k + 1) * (k + 1) <= cube)
        ++k;
    while (k > 0 && k * k * k * k > cube)
        --k;
    return static_cast<int>(k);
}

int darknessForCount(int k)
{
    for (int n = 0; n <= 255; ++n) {
        if (ConteggioDaColore(rgb(255 - n, 0, 0)) >= k)
            return n;
    }
    return 255;
}

} // namespace mapcolour
