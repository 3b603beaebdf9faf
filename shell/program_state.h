#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace ravelt {

// The program-wide variables. The program's start (the desktop program, or a command
// without windows) creates one and hands it, or the few values a routine needs, to what
// uses it; nothing reaches it any other way, so each run and each test has its own. Strings
// start empty and numbers at 0. GiorniMese is indexed as the program counts months, 1 to
// 12 (element 0 is unused). The headings of the last report are the report run's result.
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
    std::string NomeStampa;          // print definition the filtered print screen opens
    // Param1 to Param8 of a saved filter (elements 0 to 7): a caller of the filtered print
    // screen may set them first; nothing in this module does, so they stay empty.
    std::array<std::string, 8> ParametriStampa;

    // The hotel the workstation works for: NumeroHotel, or hotel 1 while none is set (0),
    // as a workstation of a single hotel is hotel 1 throughout the suite.
    std::int16_t hotelInUso() const { return NumeroHotel != 0 ? NumeroHotel : 1; }
};

}
