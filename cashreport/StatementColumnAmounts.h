#pragma once
#include "cashreport/AmountsSelection.h"
#include "cashreport/ColumnAmounts.h"

#include <string>

namespace ravelt {

class Database;
class Recordset;

// The column amounts computed the way the suite defines them: for each day and column,
// the selections are SQL texts built by joining fixed pieces and values, each opened
// afresh, walked with FindFirst/FindNext "Importo <> 0", and each payment's document
// looked up by a criteria search in the day's documents. Five selections per column and
// day, two per day for the counts. It is the reference the faster path is held to.
//
// Values taken from a record into a criteria text are quoted with their apostrophes
// doubled, so a document type such as "Nota d'accredito n." is searched for as it is
// instead of breaking the search. A Null key field of a payment is written as Null and
// so finds no document.
class StatementColumnAmounts : public ColumnAmounts {
public:
    // 'fatture' is the open Fatture.mdb (its statements reach ColonneRavelt.mdb beside
    // it), 'dettaglio' the open Dettaglio.mdb. The values of the days firstDay to lastDay
    // (yyyymmdd) are checked first, as the set-based path checks them (PeriodValuesCheck);
    // a value that cannot be read, or a sum out of range, raises CashReportError.
    StatementColumnAmounts(Database& fatture, Database& dettaglio, const AmountsSelection& selection, const std::string& firstDay,
                           const std::string& lastDay);

    void CalcolaColonnaGiorno(int n, const std::string& g, Totali& giorno, Totali& periodo) override;
    void CalcolaPresenze(const std::string& g, Totali& giorno, Totali& periodo) override;
    long rowsRead() const override { return rowsRead_; }

    // The statement texts of the three stages for day g and column n.
    static std::string externalEntries(const AmountsSelection& s, const std::string& g, int n);
    static std::string ordinaryPayments(const AmountsSelection& s, const std::string& g, int n);
    static std::string ordinaryDocuments(const AmountsSelection& s, const std::string& g);
    static std::string markedPayments(const AmountsSelection& s, const std::string& g, int n);
    static std::string markedDocuments(const AmountsSelection& s, const std::string& g);

    // The search for a payment's document among the selected ones; 'tail' is
    // " and RiepAcc <> 'N'" (stage 2) or " and RiepAcc = 'N'" (stage 3).
    static std::string documentCriteria(std::int16_t numeroHotel, const Recordset& payment, const char* tail);

private:
    void addColumnDay(int n, const std::string& g, Totali& giorno, Totali& periodo);
    // Walks the payments of P with a current document in D and returns their sum.
    Currency matchedPayments(const std::string& payments, const std::string& documents, const char* tail);

    Database& fatture_;
    Database& dettaglio_;
    AmountsSelection selection_;
    long rowsRead_ = 0;
};

}
