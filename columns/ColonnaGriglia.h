#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace ravelt {

// One column of a grid filled by CaricaGriglia: the heading, the field shown, the width
// in characters, "S" text or "N" summed number, and "R" for right alignment.
struct ColonnaGriglia {
    std::string Titolo;
    std::string Campo;
    std::int16_t Larghezza = 0;
    std::string TipoDato = "S";
    std::string Allineamento = "L";
};

// A window's list of grid columns, used from index 1; the list ends at the first
// definition with an empty Titolo (index 0 is unused).
using ColonneGriglia = std::array<ColonnaGriglia, 51>;

// Resets every definition of the list to an empty text column.
void InizializzaColonne(ColonneGriglia& colonne);

}
