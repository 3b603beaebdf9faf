#pragma once
#include "demohotel/CivilDate.h"
#include "demohotel/DemoHotel.h"

namespace ravelt {

class Database;

// Fills Dettaglio.mdb with the hotel's daily figures: for each day the guest presences
// of the whole hotel ("Presenze", "Generale") and split by origin ("Italiani",
// "Stranieri"), arrivals and departures, and the occupied rooms ("PresenzeNC"), in one
// row or split over the main building and the annex.
//
// Not every day is complete, as in a real hotel: some days have no "PresenzeNC" rows
// (always the second day), some have no rows at all, and so has the last day of a
// demo longer than two days (its night audit has not run yet).
class DemoDailyDetail {
public:
    DemoDailyDetail(const DemoOptions& options, CivilDate firstDay);
    // Writes every row into the given open store, inside the transaction its caller
    // holds; returns how many.
    long write(Database& dettaglio);

private:
    DemoOptions options_;
    CivilDate firstDay_;
};

}
