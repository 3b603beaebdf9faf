#pragma once
#include "tableprint/CampiTabella.h"
#include "tableprint/CriterioStampa.h"

#include <array>
#include <string>
#include <vector>

namespace ravelt {

// The SQL condition the print screen builds from its criteria rows.
struct CondizioneStampa {
    std::string testo;
    // Rows whose value goes into the condition bare (the field is not text) but is not a
    // plain number, as "field: value". Such a condition is not run: a bare word would be
    // read by the engine as a name, not as the value typed.
    std::vector<std::string> valoriNonNumerici;

    // A condition to print with: its text compares greater than a single blank.
    bool contaRighe() const { return testo > " "; }

    // Builds the condition from the eight rows, rewriting their values as the value boxes
    // then show them. For each row (field F, operator O, value V):
    //  - a date field (F's first four characters, upper-cased, are DATA): for a
    //    comparison V is expanded (ddmmyy, ddmmyyyy) and emptied when it is no valid
    //    date; for include / non include a ddmm value is turned into mmdd, to be found
    //    inside dates stored yyyymmdd;
    //  - a row counts when V, without the blanks around it, then compares greater than
    //    a single blank (so a value of blanks alone does not count); V becomes
    //    FiltraCampo(V, 0): trimmed, upper case, apostrophes turned into ´;
    //  - include:  Instr(F,'V') > 0   non include:  Instr(F,'V') = 0
    //    otherwise F, the comparison (" = ", " <= "…), then for a text field " 'W' "
    //    (W is V, or for F beginning exactly "Data" the dd/mm/yyyy value as yyyymmdd),
    //    for any other field V itself;
    //  - the row conditions are joined with " and ".
    // Raises ErroreStampa when a counting row names a field the table does not have.
    static CondizioneStampa Costruisci(std::array<CriterioStampa, 8>& righe, const CampiTabella& campi);

    // The message for valoriNonNumerici.
    std::string messaggioNonNumerici() const;

    // Costruisci() for a print: the condition text, or ErroreStampa when no row counts
    // ("Mancano dati!", "E' necessario definire un criterio di stampa!") or when a value
    // cannot go bare into it. The rows are rewritten either way.
    static std::string DaStampare(std::array<CriterioStampa, 8>& righe, const CampiTabella& campi);
};

}
