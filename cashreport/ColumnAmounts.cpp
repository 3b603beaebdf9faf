#include "cashreport/ColumnAmounts.h"

#include "cashreport/CashReportError.h"
#include "cashreport/PeriodValuesCheck.h"

#include <stdexcept>

namespace ravelt {

void ColumnAmounts::addAmount(int n, Currency amount, Totali& giorno, Totali& periodo)
{
    try {
        giorno[n] += amount;
        giorno[totali::Totale] += amount;
        periodo[n] += amount;
        periodo[totali::Totale] += amount;
    } catch (const std::overflow_error&) {
        throw CashReportError(PeriodValuesCheck::amountsOutOfRange());
    }
}

void ColumnAmounts::addCount(int position, Currency count, Totali& giorno, Totali& periodo)
{
    try {
        giorno[position] += count;
        periodo[position] += count;
    } catch (const std::overflow_error&) {
        throw CashReportError(PeriodValuesCheck::countsOutOfRange());
    }
}

}
