#include "demohotel/DemoDailyDetail.h"

#include "demohotel/DemoCatalog.h"
#include "demohotel/DemoRandom.h"
#include "platform/BulkInsert.h"
#include "platform/Database.h"

#include <algorithm>

namespace ravelt {

DemoDailyDetail::DemoDailyDetail(const DemoOptions& options, CivilDate firstDay) : options_(options), firstDay_(firstDay)
{
}

long DemoDailyDetail::write(Database& dettaglio)
{
    DemoRandom rng(options_.seed, 2);
    long rows = 0;
    {
        BulkInsert ins(dettaglio, "Dettaglio", {"DataInserimento", "Tipo", "Dettaglio", "Valore"});
        auto row = [&](const std::string& day, const char* tipo, const char* dettaglioText, long long valore) {
            ins.insert({Value(day), Value(tipo), Value(dettaglioText), Value(static_cast<std::int64_t>(valore))});
            ++rows;
        };
        const int days = options_.days;
        for (int d = 0; d < days; ++d) {
            const CivilDate day = firstDay_.plusDays(d);
            const std::string iso = day.iso();
            // The draws come first, so that a missing day does not shift the next days' figures.
            const long long occupancy = std::clamp<long long>(
                demoSeasonPerMille(day.month()) * 70LL / 100 + rng.between(-80, 80), 150, 1000);
            const long long occupied = options_.rooms * occupancy / 1000;
            const long long presences = occupied * rng.between(150, 200) / 100;
            const long long italians = presences * rng.between(30, 70) / 100;
            const long long arrivals = occupied * rng.between(20, 40) / 100;
            const long long departures = occupied * rng.between(20, 40) / 100;
            const long long mainBuilding = occupied * rng.between(60, 90) / 100;
            const bool noRows = rng.chance(15);
            const bool noRooms = rng.chance(80);
            const bool split = rng.chance(150);

            if ((days > 2 && d == days - 1) || (d > 1 && noRows))
                continue;
            row(iso, "Presenze", "Generale", presences);
            row(iso, "Presenze", "Italiani", italians);
            row(iso, "Presenze", "Stranieri", presences - italians);
            row(iso, "Arrivi", "Generale", arrivals);
            row(iso, "Partenze", "Generale", departures);
            if (d == 1 || (d > 1 && noRooms))
                continue;
            if (d == 0 || split) {
                row(iso, "PresenzeNC", "Camere", mainBuilding);
                row(iso, "PresenzeNC", "Dependance", occupied - mainBuilding);
            } else {
                row(iso, "PresenzeNC", "Camere", occupied);
            }
        }
    }
    return rows;
}

}
