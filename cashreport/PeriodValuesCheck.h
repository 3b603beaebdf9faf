#pragma once
#include "cashreport/AmountsSelection.h"

#include <string>

namespace ravelt {

class Database;

// The check a report run makes on the stores before it sums anything: every amount it
// may count and every count it may add must be a value its field's type can hold. The
// suite's other programs write the stores and the engine keeps whatever it is given (a
// text such as "abc" or "1.234,56" in Importo, a blob, 10^15 in a 32-bit Valore); a
// report that read such a value as 0, or as some other number, would print wrong
// figures without a word. Both ways of computing the amounts run this same check, so
// they stop on the same record with the same message.
class PeriodValuesCheck {
public:
    // Looks, with one query on each store, at the payments and external entries of
    // Incassi dated firstDay to lastDay (yyyymmdd), of the chosen counter when there is
    // one, and at the rows of Dettaglio the counts add (Presenze of Generale, and
    // PresenzeNC) in the same days. Raises CashReportError for the first record, in the
    // store's order, whose Importo or Valore cannot be read, naming the store, the table,
    // the document (its type, number and date) or the count's row, and the value.
    static void run(Database& fatture, Database& dettaglio, const AmountsSelection& selection, const std::string& firstDay,
                    const std::string& lastDay);

    // The two halves of run(), each on its own store. A pass that reads every amount of
    // the period in a way that fails on an unreadable one may call payments() only when
    // it failed, to name the record.
    static void payments(Database& fatture, const AmountsSelection& selection, const std::string& firstDay, const std::string& lastDay);
    static void counts(Database& dettaglio, const std::string& firstDay, const std::string& lastDay);

    // The descriptions of a sum that left the range of the currency type, which holds
    // every amount and count of the report: the amounts of Incassi, the counts of Dettaglio.
    static std::string amountsOutOfRange();
    static std::string countsOutOfRange();
};

}
