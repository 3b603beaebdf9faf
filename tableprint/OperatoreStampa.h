#pragma once
#include <array>
#include <string>

namespace ravelt {

// One comparison of the print screen's criteria rows: the label the operator picks
// (with its surrounding blanks, as the list shows it), the symbol a saved filter writes
// for it, and the SQL text put after the field name ("" for the two text searches,
// which are written as Instr conditions).
struct OperatoreStampa {
    const char* etichetta;
    const char* simbolo;
    const char* confronto;

    bool ricercaTesto() const { return *confronto == '\0'; }

    // The eight operators in list order: uguale a, inferiore a, superiore a, fino a, da,
    // diverso da, include, non include.
    static const std::array<OperatoreStampa, 8>& Elenco();
    // The operator whose label, trimmed, equals the text trimmed; null when none.
    static const OperatoreStampa* PerEtichetta(const std::string& etichetta);
    // The operator written with this symbol in a saved filter; null when none.
    static const OperatoreStampa* PerSimbolo(const std::string& simbolo);
};

}
