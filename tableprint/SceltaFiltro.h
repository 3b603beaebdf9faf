#pragma once
#include "tableprint/CriterioStampa.h"
#include "tableprint/FiltroSalvato.h"

#include <array>
#include <string>
#include <vector>

namespace ravelt {

// What the print screen's controls hold: the eight criteria rows (field, operator label,
// value), the order field and the compressed choice. The window reads its controls into
// one and writes it back; the command works on one without a window.
struct SceltaFiltro {
    std::array<CriterioStampa, 8> righe;
    std::string campoOrdine;
    bool compresso = true;  // "Compresso" is the choice the screen opens with

    // Which controls a restore painted light yellow, by row.
    struct Segni {
        std::array<bool, 8> campo{};
        std::array<bool, 8> operatore{};
        std::array<bool, 8> valore{};
    };

    // The controls as the first activation leaves them: every row on the table's first
    // field with " uguale a " and an empty value, the order on the first field, compressed.
    static SceltaFiltro Iniziale(const std::vector<std::string>& campi);

    // Restores a saved filter over the current choices. The compressed choice and the
    // order field (when it is one of 'campi', exactly) come from the first two lines.
    // Criteria line k goes to row k: a field name found in 'campi' (exactly, the first
    // equal entry) and an operator found among the labels are chosen and marked; the
    // value is always put in the row and marked. Whatever is not matched stays as it was,
    // and 'avvisi', when given, is told which line of the filter was not followed: an
    // order field not among 'campi', and for a criterion with a value a field not among
    // 'campi' or an operator that is none of the eight.
    Segni Ripristina(const FiltroSalvato& filtro, const std::vector<std::string>& campi,
                     AvvisiImpostazioni* avvisi = nullptr);
};

}
