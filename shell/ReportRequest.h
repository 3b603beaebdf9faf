#pragma once
#include <cstdint>
#include <string>

namespace ravelt {

// What "Stampa" hands to the report run: the two dates as they stand in the date fields
// (already checked: valid dd/mm/yyyy, start not later than end), Combo1's text and the
// counter the operator chose (0 = every counter; also stored in ContatoreScelto).
struct ReportRequest {
    std::string dataIniziale;
    std::string dataFinale;
    std::string tipoDocumento;
    std::int16_t contatore = 0;
};

}
