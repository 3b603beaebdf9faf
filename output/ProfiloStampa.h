#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace ravelt {

// The print profile of one destination for one job: where the output goes, whether to a
// printer of the system or to a text device, and the font, control bytes, margin and
// page lengths to print with. Resolved by CaricaProfiloStampa at the start of every job.
struct ProfiloStampa {
    bool Trovata = false;                      // the destination is a row of Stampanti
    std::int16_t TipoStampa = 0;
    std::string Dispositivo;                   // device name or path (UTF-8)
    std::array<double, 12> CodiciCompresso{};  // slots 1-12 at indexes 0-11
    std::array<std::int16_t, 12> CodiciGrassetto{};
    std::array<double, 12> CodiciCorsivo{};      // read for the table report engine only
    std::array<double, 12> CodiciSottolineato{};
    bool RigaSetStampa = false;                // the type has a SetStampa row
    bool RigaContatori = false;                // the hotel has a Contatori row
    bool StampanteWindows = false;             // Compresso slot 6 is 1
    std::int16_t MargineSuperiore = 0;         // blank lines at the top of each page
    std::int16_t LunghezzaModulo = 66;         // physical form length in lines
    std::int16_t LunghezzaPagina = 60;         // lines after which a page ends
    std::string NomeFont = "Courier New";
    double DimensioneFont = 0;                 // points, compressed or normal
    std::string SequenzaControllo = std::string(5, '\0');  // always five bytes
};

}
