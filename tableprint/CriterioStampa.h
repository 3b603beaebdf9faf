#pragma once
#include <string>

namespace ravelt {

// One criteria row of the print screen, or one criteria line of a saved filter: the
// field name, the operator's label (in a saved filter read back, the raw word when it
// is none of the eight symbols) and the value text.
struct CriterioStampa {
    std::string campo;
    std::string operatore;
    std::string valore;
};

}
