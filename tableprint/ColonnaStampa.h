#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace ravelt {

// One record of a print definition: ten text fields numbered 1 to 10 as they stand in
// the line (blanks kept), and field 6 read as a width. Line 1 of the file is the header
// record (title, store, table); the other lines are the column records:
//   2 heading   3/4 look-up store and table   5 field (prefixes "EURO" and "Data")
//   6 width   7 "S" adds into the totals   8 "N" blanks repeated values
//   9 look-up key field   10 the printed table's field holding the key
struct ColonnaStampa {
    std::array<std::string, 11> campi;  // index 1 to 10; index 0 is unused
    std::int16_t larghezza = 0;

    const std::string& campo(int n) const { return campi.at(static_cast<size_t>(n)); }
    const std::string& intestazione() const { return campi[2]; }
    const std::string& nomeCampo() const { return campi[5]; }
    bool totale() const { return campi[7] == "S"; }
    bool nascondiRipetuti() const { return campi[8] == "N"; }
    // A look-up column: its key field compares greater than a single blank.
    bool ricerca() const { return campi[9] > " "; }

    // The record of a line the file does not have: empty texts, width 0, and "N" in
    // fields 7 and 8 (no total, repeats blanked).
    static ColonnaStampa Mancante()
    {
        ColonnaStampa c;
        c.campi[7] = "N";
        c.campi[8] = "N";
        return c;
    }
};

}
