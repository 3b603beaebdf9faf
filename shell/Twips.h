#pragma once
#include <cmath>

namespace ravelt {

// Window geometry is designed in twips; the screen is laid out at 96 dpi, 15 twips a
// pixel. Rounds to the nearest pixel so that a designed width like 1776 twips keeps its
// proportion (118 px) instead of being cut.
inline int twipsToPixels(int twips)
{
    return static_cast<int>(std::lround(twips / 15.0));
}

}
