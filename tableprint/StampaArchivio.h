#pragma once
#include "tableprint/ContestoArchivio.h"

#include <filesystem>
#include <string>

namespace ravelt {

// What one run of the engine wrote.
struct EsitoStampaArchivio {
    std::filesystem::path report;  // the workstation's report file
    long righeTabella = 0;         // rows of the table printed
    long righeFile = 0;            // lines of the file, the page end not counted
    int lunghezzaModulo = 0;       // the page-fill length P in use
};

// Prints a table as a boxed text table into the workstation's report file (FD and the
// workstation number), from a print definition:
//
//   Hotel : <name of the hotel>
//   <date>   <title, centred on the table width>   <hh:mm>
//   top border / headings / middle border
//   one line per row of the definition's table that meets the condition and belongs
//   to the hotel, in the order of 'campoOrdine'
//   middle border / totals of the "S" columns / bottom border
//   a form feed, or with option U empty lines up to the page-fill length
//
// Option K draws the frames with the PC box-drawing bytes, otherwise with | and =.
// The page-fill length is the form length of the destination's printer type (of the
// first destination of Stampanti when the destination is not there, as for "---").
// A cell shows its value cut or padded to the column's width: numbers right-aligned,
// words left-aligned; "Data" fields as dd/mm/yyyy; "EURO" fields divided by the factor
// of euro.txt with two decimals; look-up columns the field of the row found in another
// table; a value equal to the one above is blanked where the column asks for it.
// Null values print as empty values.
//
// Settings that cannot be read are done without: no euro.txt, factor 1; no hotel row,
// no hotel name; no printer type, no fill lines. A definition that is missing, a
// euro.txt that is there but gives no factor while an EURO column is printed (no
// figure is divided by a factor nobody wrote), or a query that cannot run (a missing
// store, table or field, a condition the engine cannot compare) raises ErroreStampa
// naming the cause, and the report file keeps what it held: it is written whole or
// not at all. The lines of the definition and of euro.txt that were not used are told
// to the context's notices. The destination's device is never
// printed to here: printing is the print menu's work, on the report file.
EsitoStampaArchivio StampaArchivio(const ContestoArchivio& contesto, const std::string& fileDefinizione,
                                   const std::string& destinazione, const std::string& condizione,
                                   const std::string& campoOrdine, bool compresso);

}
