#pragma once
#include "columns/ColonnaGriglia.h"
#include "columns/GridContent.h"

#include <cstdint>
#include <string>

namespace ravelt {

class Recordset;

// Fills a grid from a recordset: a header row with the column headings, one row per
// record matching 'filtro' (searched with FindFirst/FindNext, so the recordset may hold
// more than the rows shown, and the rows keep its order), an empty row, and a totals row
// where "N" columns show their sums. 'maxRighe' limits the number of cells written:
// filling stops after the record that brings the count to the limit or beyond.
//
// It never throws for what the store holds: a field it cannot read leaves the cell empty,
// a criterion the engine rejects (or a store it cannot search) ends the data rows, and
// the grid is still returned whole, with the first such failure in 'problema' for the
// caller to tell.
GridContent CaricaGriglia(Recordset& archivio, const std::string& filtro, const ColonneGriglia& colonne, std::int16_t maxRighe);

}
