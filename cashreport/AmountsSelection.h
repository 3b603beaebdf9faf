#pragma once
#include "cashreport/DocumentType.h"

#include <cstdint>
#include <string_view>

namespace ravelt {

// What decides which payments the report counts, besides the day and the column.
struct AmountsSelection {
    DocumentType type = DocumentType::Tutti;
    std::int16_t contatore = 0;    // ContatoreScelto; 0 = every counter
    std::int16_t numeroHotel = 1;  // NumeroHotel
    bool optionR = false;          // the support code holds a capital R
};

// True when the hotel's support code switches on option R: it holds the capital letter
// R anywhere; a lower-case r does not count.
inline bool hasOptionR(std::string_view codiceAssistenza)
{
    return codiceAssistenza.find('R') != std::string_view::npos;
}

}
