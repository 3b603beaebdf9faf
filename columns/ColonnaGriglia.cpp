#include "columns/ColonnaGriglia.h"

namespace ravelt {

void InizializzaColonne(ColonneGriglia& colonne)
{
    for (auto& c : colonne)
        c = ColonnaGriglia{};
}

}
