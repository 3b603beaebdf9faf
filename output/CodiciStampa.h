#pragma once
#include <array>
#include <string_view>

namespace ravelt {

// Splits a code text of SetStampa (Compresso, Grassetto, Corsivo, Sottolineato) into its
// twelve slots of three characters: slot i is characters 3i-2 to 3i, read for their
// leading number ("  8" is 8, "7.5" is 7.5). Blanks, missing characters and a text
// shorter than 36 characters give 0 for the slots they touch; characters after the
// 36th are ignored.
std::array<double, 12> LeggiCodici(std::string_view codici);

}
