#pragma once
#include "cashreport/AmountsSelection.h"
#include "cashreport/ColumnAmounts.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ravelt {

class Database;

// The column amounts of a whole period computed at once: one grouped query for each of
// the three stages (the external entries, the payments of ordinary documents, added, and
// those of documents marked "N", taken off) and one for each of the two counts,
// whatever the length of the period and the number of columns. The queries state the
// same conditions as the day-by-day selections of StatementColumnAmounts, with the day
// of the payment taken as the day of the report, and the engine evaluates them with the
// same comparisons (text without regard to letter case, Null equal to nothing, a code
// read from a note compared as a number), so both give the same report.
//
// Amounts are summed by the engine as whole numbers of ten-thousandths, each stored
// amount read as the program reads it (CurrencyUnits), so nothing is summed in floating
// point. Before summing, the period's amounts and counts are checked in the stores
// (PeriodValuesCheck), as the statements check them.
class PeriodColumnAmounts : public ColumnAmounts {
public:
    // Checks the period's values, then runs the queries for the days firstDay to lastDay
    // (yyyymmdd, lastDay not before firstDay) and the columns listed, those with a
    // heading. A value that cannot be read, or a sum out of range, raises CashReportError.
    PeriodColumnAmounts(Database& fatture, Database& dettaglio, const AmountsSelection& selection, const std::string& firstDay,
                        const std::string& lastDay, const std::vector<int>& headedColumns);

    void CalcolaColonnaGiorno(int n, const std::string& g, Totali& giorno, Totali& periodo) override;
    void CalcolaPresenze(const std::string& g, Totali& giorno, Totali& periodo) override;
    long rowsRead() const override { return rowsRead_; }

    // The query texts, in the suite's dialect. Each returns rows (Giorno, Colonna, Unita):
    // a day, a column and an amount in ten-thousandths to add to it.
    static std::string externalEntries(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay,
                                       const std::vector<int>& columns);
    static std::string ordinaryPayments(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay,
                                        const std::vector<int>& columns);
    static std::string markedPayments(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay,
                                      const std::vector<int>& columns);

private:
    struct Day {
        std::array<Currency, 11> amounts{};  // columns 1 to 10
        Currency presenze;
        Currency presenzeNC;
    };
    // Adds the rows (Giorno, Colonna, Unita) of a grouped query, with the sign.
    void addColumns(Database& db, const std::string& sql, int sign);
    void addCounts(Database& db, const std::string& sql, Currency Day::*field);

    std::map<std::string, Day> days_;
    long rowsRead_ = 0;
};

}
