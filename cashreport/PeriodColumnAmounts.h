#pragma once
#include "cashreport/AmountsSelection.h"
#include "cashreport/ColumnAmounts.h"
#include "platform/Value.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace ravelt {

class Database;

// The column amounts of a whole period computed in one pass over the period's
// payments: one grouped statement reads each payment of the period once, in the order of
// its day, looks up its document through an index, and sums it by day and code into
// the three stages (the external entries, the payments of ordinary documents, added,
// and those of documents marked "N", taken off); one more statement gives the two
// counts. The statement states the same conditions as the day-by-day selections of
// StatementColumnAmounts, with the day of the payment taken as the day of the report,
// and the engine evaluates them with the same comparisons (text without regard to
// letter case, Null equal to nothing, a code read from a note compared as a number), so
// both give the same report.
//
// Amounts are summed by the engine as whole numbers of ten-thousandths, each stored
// amount read as the program reads it (CurrencyUnits), so nothing is summed in floating
// point. The pass reads every amount of the period, counted or not, and an amount that
// cannot be read fails it; only then are the payments searched for the record to name.
// The counts are checked before they are summed (PeriodValuesCheck), as the statements
// check them.
class PeriodColumnAmounts : public ColumnAmounts {
public:
    // Computes the days firstDay to lastDay (yyyymmdd, lastDay not before firstDay) for
    // the columns listed, those with a heading. A value that cannot be read, or a sum
    // out of range, raises CashReportError.
    PeriodColumnAmounts(Database& fatture, Database& dettaglio, const AmountsSelection& selection, const std::string& firstDay,
                        const std::string& lastDay, const std::vector<int>& headedColumns);

    void CalcolaColonnaGiorno(int n, const std::string& g, Totali& giorno, Totali& periodo) override;
    void CalcolaPresenze(const std::string& g, Totali& giorno, Totali& periodo) override;
    long rowsRead() const override { return rowsRead_; }
    std::vector<UnassignedCode> unassigned() const override;

    // The statement of the pass, in the suite's dialect. Its rows, one for each day and
    // code of the period's payments: Giorno, Sigla; for each column listed, in order, 1
    // when the code is one of the column's and 0 otherwise; Ordinari, the payments of
    // ordinary documents; Segnati, those of marked documents; for each column listed the
    // external entries whose note's code is the column's; and Tutti, every payment of the
    // day and code; then, for the list of what the report leaves out: Esterno, 1 for a
    // group of external entries; CodiceEsterno, the code their note gives; Voci, the
    // payments of the group; Contati, the payments of the two stages of documents (a
    // payment that meets both counts twice), counted only when the code is in no column
    // listed. Amounts in ten-thousandths, Null when nothing was summed.
    static std::string periodPayments(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay,
                                      const std::vector<int>& columns);

    // The statement of the counts: Giorno, Presenze, PresenzeNC, one row for each day
    // that has either.
    static std::string periodCounts(const std::string& firstDay, const std::string& lastDay);

private:
    struct Day {
        std::array<Currency, 11> amounts{};  // columns 1 to 10
        Currency presenze;
        Currency presenzeNC;
    };
    void addPayments(Database& fatture, const AmountsSelection& selection, const std::string& firstDay, const std::string& lastDay,
                     const std::vector<int>& columns);
    void addCounts(Database& dettaglio, const std::string& firstDay, const std::string& lastDay);
    void noteUnassigned(bool external, const Value& code, long payments, Currency amount);

    std::map<std::string, Day> days_;
    std::map<std::string, UnassignedCode> unassigned_;  // by kind and code folded to capitals
    long rowsRead_ = 0;
};

}
