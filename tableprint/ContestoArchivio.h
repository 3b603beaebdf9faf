#pragma once
#include "output/AvvisiImpostazioni.h"
#include "platform/Clock.h"
#include "platform/Environment.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace ravelt {

// What the table report engine takes from the program beside its arguments: the
// working folder (stores, settings files, the report file), the hotel, its option
// letters, the workstation number naming the report file, the clock and variables of
// the workstation (null: the system's own), and who is told about the lines of the
// settings files, the definition and the saved filter that were not used (null: nobody).
struct ContestoArchivio {
    std::filesystem::path cartella;
    std::int16_t NumeroHotel = 1;
    std::string CodiceAssistenza;
    std::int16_t PCLocal = 0;
    const Clock* orologio = nullptr;
    const Environment* ambiente = nullptr;
    AvvisiImpostazioni* avvisi = nullptr;
};

}
