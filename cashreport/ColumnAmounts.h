#pragma once
#include "cashreport/Totali.h"
#include "cashreport/UnassignedCode.h"

#include <string>
#include <vector>

namespace ravelt {

// The amounts of the report's columns and the day's counts, as the run asks for them:
// day by day, column by column. Two ways of computing them give the same report: one
// runs the selections statement by statement for each day and column
// (StatementColumnAmounts), the other computes the whole period with a few set-based
// queries (PeriodColumnAmounts).
class ColumnAmounts {
public:
    virtual ~ColumnAmounts() = default;

    // Applies to positions n and 11 of both tables, each with its sign, the amounts that
    // column n (1 to 10) gathers on day g (yyyymmdd): the external cash entries whose
    // code is the column's, the payments of the day's ordinary documents, less the
    // payments of the day's documents marked "N". Called only for columns with a heading.
    virtual void CalcolaColonnaGiorno(int n, const std::string& g, Totali& giorno, Totali& periodo) = 0;

    // Applies the day's presences to position 12 and the second count to position 13.
    virtual void CalcolaPresenze(const std::string& g, Totali& giorno, Totali& periodo) = 0;

    // Rows read from the stores so far: a figure for benchmarks.
    virtual long rowsRead() const = 0;

    // The codes whose payments of the period fall in no headed column, in the order of
    // their kind and code. The statements, which compute only what the report shows,
    // give none.
    virtual std::vector<UnassignedCode> unassigned() const { return {}; }

protected:
    // Applies an amount to positions n and 11 of both tables, and a count to its
    // position of both. A total that would leave the currency range raises
    // CashReportError with the description of PeriodValuesCheck, the same for both ways.
    static void addAmount(int n, Currency amount, Totali& giorno, Totali& periodo);
    static void addCount(int position, Currency count, Totali& giorno, Totali& periodo);
};

}
