#pragma once
#include "demohotel/CivilDate.h"
#include "demohotel/DemoHotel.h"

namespace ravelt {

class Database;

// What DemoLedger wrote.
struct DemoLedgerCounts {
    long documents = 0;
    long payments = 0;  // external entries included
    long externals = 0;
};

// Fills Fatture.mdb (DatiFattura and Incassi) with the demo hotel's documents and
// their payments, and with the external cash entries, day by day from the first day.
//
// The first day opens with a fixed set of documents and entries that shows every
// case the cash report tells apart: a cancelled document, documents marked "N" and
// "A", receipts not paid in full (CorrNonPagato), payments dated off their document
// or booked on a counter other than theirs, Null, zero and negative amounts, codes that no column
// gathers and a code gathered by two columns, entries of every counter and a document
// of hotel 2. Every day after that draws its documents at random, in a number that
// follows the hotel's size and the season, with the same cases at low rates.
// Documents are numbered per hotel, type and counter: from 1 for hotel 1, from 900001
// for hotel 2.
class DemoLedger {
public:
    DemoLedger(const DemoOptions& options, CivilDate firstDay);
    // Writes everything into the given open store, inside the transaction its caller
    // holds, so that the store is committed whole with its tables.
    DemoLedgerCounts write(Database& fatture);

private:
    DemoOptions options_;
    CivilDate firstDay_;
};

}
