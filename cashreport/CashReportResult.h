#pragma once
#include "cashreport/UnassignedCode.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ravelt {

// What a completed report run hands back to its caller.
struct CashReportResult {
    std::filesystem::path reportPath;                // the report file, FD<PCLocal> in the working folder
    std::array<std::string, 11> IntestazioniColonne;  // 1 to 10: each column's whole heading, "" when none
    std::string NomeHotel;                            // the first line of the report; "" without a hotel record
    // The support code read afresh from the hotel record, for the program-wide
    // CodiceAssistenza; nullopt when no record has the hotel's number.
    std::optional<std::string> CodiceAssistenza;
    long days = 0;            // day lines written
    long queries = 0;         // statements prepared on the stores
    long rowsRead = 0;        // rows the column amounts read from the stores
    // The codes whose payments of the period the report shows nowhere (no headed column
    // gathers them), with their descriptions; empty when every payment found a column.
    std::vector<UnassignedCode> unassigned;
};

}
