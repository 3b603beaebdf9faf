#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace ravelt {

// The program-wide variables, owned by the shell and live for the whole run. Strings
// start empty and numbers at 0. Arrays are indexed as the program counts: GiorniMese by
// month 1 to 12, IntestazioniColonne by column 1 to 10 (element 0 is unused).
struct ProgramState {
    std::string AccessoConsentito;   // "S" once the gate has granted access
    std::string CodiceAssistenza;    // the hotel's support code; its letters switch options
    std::string PasswordDirezione;   // management password, decoded from Security.pwd
    std::int32_t ValoreControllo = 0;
    std::string PasswordDigitata;
    std::int16_t NTerm = 0;
    std::int16_t PCLocal = 0;        // workstation number: names the report file
    std::int16_t NumeroHotel = 0;    // always 1 once the main window is active
    std::array<std::int16_t, 13> GiorniMese{};
    std::int16_t ContatoreScelto = 0;
    std::array<std::string, 11> IntestazioniColonne;
    std::string FiltroGriglia;       // the criterion most recently used to fill a grid
    std::string NomeStampa;          // print definition the filtered print screen opens
    // Param1 to Param8 of a saved filter (elements 0 to 7): a caller of the filtered print
    // screen may set them first; nothing in this module does, so they stay empty.
    std::array<std::string, 8> ParametriStampa;
};

// The one instance of the program's state.
ProgramState& programState();

}
