#pragma once
#include "platform/Currency.h"

#include <array>

namespace ravelt {

// TotaliGiorno and TotaliPeriodo: 13 amounts indexed as the report counts them, 1 to 10
// the report columns, 11 the total of the columns, 12 the presences, 13 the second daily
// count ("CAM."). Element 0 is unused.
using Totali = std::array<Currency, 14>;

namespace totali {
constexpr int Totale = 11;
constexpr int Presenze = 12;
constexpr int PresenzeNC = 13;
}

}
