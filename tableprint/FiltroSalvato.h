#pragma once
#include "output/AvvisiImpostazioni.h"
#include "tableprint/CriterioStampa.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ravelt {

// The print parameters a caller may give the print screen, Param1 to Param8 at index
// 0 to 7. A saved value that is exactly "ParamN" restores as parameter N.
using ParametriFiltro = std::array<std::string, 8>;

// A saved filter (.fil) read back:
//   line 1  "Compresso = S" or "Compresso = N": the 13th character decides
//   line 2  "In Ordine di " and the order field
//   line 3… field, blank, operator symbol, blank, value: one line per criteria row
struct FiltroSalvato {
    static constexpr int MassimoCriteri = 8;

    std::string file;                        // the file's name, for notices about its lines
    std::optional<bool> compresso;           // nullopt: the file has no first line
    std::optional<std::string> campoOrdine;  // nullopt: no second line; else trimmed
    // The criteria lines in file order, at most eight: the field name, the operator's
    // label (the raw word when it is no known symbol) and the value, each trimmed, the
    // value with ParamN replaced.
    std::vector<CriterioStampa> criteri;
    int criteriIgnorati = 0;  // criteria lines after the eighth, which no row can take

    // Reads a saved filter; nullopt when the file does not exist. A criteria line with
    // no blank is a field name alone; with one blank, a field and an operator; either
    // way its value is empty. Raises ErroreStampa naming the file when it cannot be read.
    // 'avvisi', when given, is told of the lines read otherwise than their writer
    // meant: a first line other than "Compresso = S" or "Compresso = N", a second line
    // not starting "In Ordine di ", a criteria line without a value, and criteria lines
    // after the eighth.
    static std::optional<FiltroSalvato> Leggi(const std::filesystem::path& file, const ParametriFiltro& parametri,
                                              AvvisiImpostazioni* avvisi = nullptr);

    // The file's bytes for the screen's choices: the two first lines, then one line per
    // row whose value is not blank once trimmed, in row order, the value exactly as it
    // stands in its box. Code page 1252, CR LF after every line.
    static std::string Testo(bool compresso, const std::string& campoOrdine, const std::array<CriterioStampa, 8>& righe);

    // Writes Testo() over the file in one step: a failure leaves the earlier filter as it
    // was. Raises ErroreStampa naming the file when it cannot be written.
    static void Scrivi(const std::filesystem::path& file, bool compresso, const std::string& campoOrdine,
                       const std::array<CriterioStampa, 8>& righe);
};

}
