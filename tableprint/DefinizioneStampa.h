#pragma once
#include "output/AvvisiImpostazioni.h"
#include "tableprint/ColonnaStampa.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace ravelt {

// A whole print definition (.stp) as the table report engine reads it: the header
// record, the 50 column records it holds (records the file lacks are Mancante()), and
// the table width W: 1 plus, for every column record present in the file, its width
// plus 1 (a width below 0 counts as 0).
struct DefinizioneStampa {
    static constexpr int MassimoColonne = 50;

    ColonnaStampa testata = ColonnaStampa::Mancante();
    std::array<ColonnaStampa, MassimoColonne> colonne;  // column c (1 to 50) at c - 1
    int larghezzaTabella = 1;
    int righeIgnorate = 0;  // column records after the 50th: not read, not counted in W

    DefinizioneStampa() { colonne.fill(ColonnaStampa::Mancante()); }

    const std::string& titolo() const { return testata.campo(2); }
    const std::string& archivio() const { return testata.campo(3); }
    const std::string& tabella() const { return testata.campo(4); }
    // The printed columns: from column 1 up to, not including, the first whose heading
    // is empty; all 50 when every heading is filled.
    int numeroColonne() const;
};

// Splits a definition line as the engine does: each comma stores the text gathered so
// far into the next field (fields 1 to 9; from the tenth comma on nothing is stored),
// and the text after the last comma always goes to field 10. A line with nine commas
// thus gives its ten fields in order; a shorter line gives its last text as field 10
// and leaves the fields between empty. Field 6 is read for its leading number, rounded
// half to even and kept within 0 to 32767.
ColonnaStampa SpezzaRigaDefinizione(std::string_view riga);

// Reads the whole definition file (code page 1252, CR LF lines). Raises ErroreStampa
// ("File Mancante", "<name> - Inesistente!") when the file does not exist, and
// ErroreStampa naming the file when it cannot be read.
//
// The lines are read as the format says, whatever they hold; 'avvisi', when given, is
// told of the lines that are then not read as their writer meant: a header of more
// than ten fields, a printed column of more or fewer than ten fields or whose width is
// not a number of characters from 1 to 32767, columns with a heading after the empty
// heading that ends the list, and lines after the fiftieth column record.
DefinizioneStampa LeggiDefinizioneStampa(const std::filesystem::path& file, AvvisiImpostazioni* avvisi = nullptr);

// The print screen's reading of the first line only: consecutive fields from 1, each the
// text between two commas, the text after the last comma the last field; fields after
// the tenth are dropped, which 'avvisi', when given, is told. Only fields 3 (store) and
// 4 (table) are used. Raises as LeggiDefinizioneStampa.
ColonnaStampa LeggiTestataStampa(const std::filesystem::path& file, AvvisiImpostazioni* avvisi = nullptr);

// The lines of a definition or saved-filter file: bytes split at CR LF (a lone LF also
// ends a line), converted from code page 1252; a last line without its end counts, an
// empty piece after the last line end does not.
std::vector<std::string> RigheFileStampa(const std::string& bytes);

}
