#include "cashreport/PeriodColumnAmounts.h"

#include "cashreport/CashReportError.h"
#include "cashreport/PeriodValuesCheck.h"
#include "platform/Database.h"
#include "platform/DbOverflowError.h"
#include "platform/Recordset.h"
#include "platform/SqlQuote.h"

#include <stdexcept>

namespace ravelt {

namespace {

// An amount as whole ten-thousandths, read exactly as the program reads a stored amount.
const char* const Units = "CurrencyUnits(p.Importo)";

std::string columnList(const std::vector<int>& columns)
{
    std::string s;
    for (int n : columns)
        s += (s.empty() ? "" : ", ") + std::to_string(n);
    return s;
}

// The payments of the period with an amount, and, when a counter is chosen, of it.
std::string paymentsOfPeriod(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay)
{
    std::string w = "p.DataEmissione >= " + sqlTextLiteral(firstDay) + " and p.DataEmissione <= " + sqlTextLiteral(lastDay) + " and p.Importo <> 0";
    if (s.contatore != 0)
        w += " and p.Contatore = " + std::to_string(s.contatore);
    return w;
}

// The document a payment is searched for: the same hotel, type, number, day and
// counter, among those the selection takes. 'marked' chooses the documents marked "N",
// whose payments are taken off, instead of the ordinary ones.
std::string documentOf(const AmountsSelection& s, bool marked)
{
    std::string d = "d.NumeroHotel = " + std::to_string(s.numeroHotel) +
                    " and d.TipoDocumento = p.TipoDocumento and d.NDocumento = p.NDocumento and d.DataEmissione = p.DataEmissione"
                    " and d.Contatore = p.Contatore";
    if (s.contatore != 0)
        d += " and d.Contatore = " + std::to_string(s.contatore);
    if (marked) {
        d += " and d.RiepAcc = 'N'";
        if (s.type == DocumentType::Fatture)
            d += " and Left(d.TipoDocumento,3) = 'Fat'";
        else if (s.type == DocumentType::Ricevute)
            d += " and Left(d.TipoDocumento,3) = 'Ric'";
        d += " and d.Annullato <> 'S'";
        if (s.type == DocumentType::Ricevute)
            d += " and d.CorrNonPagato = 0";
        return d;
    }
    d += " and d.RiepAcc <> 'N'";
    if (s.type == DocumentType::Fatture)
        d += " and d.TipoDocumento = 'Fattura n.'";
    else if (s.type == DocumentType::Ricevute)
        d += " and d.TipoDocumento = 'Ricevuta n.'";
    d += " and d.Annullato <> 'S'";
    if (s.type != DocumentType::Fatture) {
        if (s.optionR)
            d += " and d.RiepAcc <> 'A'";
        else if (s.type == DocumentType::Ricevute)
            d += " and d.CorrNonPagato = 0";
        else
            d += " and ((d.CorrNonPagato = 0 and d.TipoDocumento = 'Ricevuta n.') or d.TipoDocumento = 'Fattura n.')";
    }
    return d;
}

// The test a payment itself must pass before its document is searched for: the full
// type text for the ordinary documents, the first three letters for the marked ones.
std::string paymentType(const AmountsSelection& s, bool marked)
{
    switch (s.type) {
    case DocumentType::Fatture: return marked ? "Left(p.TipoDocumento,3) = 'Fat' and " : "p.TipoDocumento = 'Fattura n.' and ";
    case DocumentType::Ricevute: return marked ? "Left(p.TipoDocumento,3) = 'Ric' and " : "p.TipoDocumento = 'Ricevuta n.' and ";
    case DocumentType::Tutti: return "";
    }
    return "";
}

// Sums the payments by day and code, then spreads each sum over the columns that
// gather the code. A code listed twice in a column counts once, as in the column's
// subquery: the codes are taken distinct, compared as the stores compare text.
std::string spreadOverColumns(const std::string& paymentsWhere, const std::vector<int>& columns)
{
    return "Select s.Giorno As Giorno, k.NumeroColonna As Colonna, Sum(s.Unita) As Unita From (Select p.DataEmissione As Giorno, "
           "p.Sigla As Sigla, Sum(" + std::string(Units) + ") As Unita From Incassi As p Where " + paymentsWhere +
           " Group By p.DataEmissione, p.Sigla) As s, (Select Distinct NumeroColonna, Sigla From ColonneRavelt In "
           "'ColonneRavelt.mdb' Where NumeroColonna In (" + columnList(columns) +
           ")) As k Where s.Sigla = k.Sigla Group By s.Giorno, k.NumeroColonna";
}

}

std::string PeriodColumnAmounts::externalEntries(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay,
                                                 const std::vector<int>& columns)
{
    // The entries are first summed by day and by the code read from the note; each
    // group then goes to every column whose codes hold that code, compared as the day's
    // selection compares it (a number against each code, through the same subquery).
    std::string sql = "With e As (Select p.DataEmissione As Giorno, Val(Left(p.Nota,4)) As Codice, Sum(" + std::string(Units) +
                      ") As Unita From Incassi As p Where p.TipoDocumento = 'ESTERNI' and " + paymentsOfPeriod(s, firstDay, lastDay) +
                      " Group By p.DataEmissione, Val(Left(p.Nota,4)))";
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const std::string n = std::to_string(columns[i]);
        sql += (i ? " Union All " : " ") + std::string("Select Giorno, ") + n +
               " As Colonna, Unita From e Where Cast(Codice As Numeric) In (Select Sigla From ColonneRavelt In "
               "'ColonneRavelt.mdb' Where NumeroColonna = " + n + ")";
    }
    return sql;
}

std::string PeriodColumnAmounts::ordinaryPayments(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay,
                                                  const std::vector<int>& columns)
{
    return spreadOverColumns(paymentsOfPeriod(s, firstDay, lastDay) + " and " + paymentType(s, false) +
                                 "Exists (Select * From DatiFattura As d Where " + documentOf(s, false) + ")",
                             columns);
}

std::string PeriodColumnAmounts::markedPayments(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay,
                                                const std::vector<int>& columns)
{
    // Marked documents are few: the payments are first chosen by the numbers of the
    // period's marked documents, and only those are searched for their document.
    return spreadOverColumns("p.NDocumento In (Select NDocumento From DatiFattura Where RiepAcc = 'N' and DataEmissione >= " +
                                 sqlTextLiteral(firstDay) + " and DataEmissione <= " + sqlTextLiteral(lastDay) + ") and " +
                                 paymentsOfPeriod(s, firstDay, lastDay) + " and " + paymentType(s, true) +
                                 "Exists (Select * From DatiFattura As d Where " + documentOf(s, true) + ")",
                             columns);
}

PeriodColumnAmounts::PeriodColumnAmounts(Database& fatture, Database& dettaglio, const AmountsSelection& selection,
                                         const std::string& firstDay, const std::string& lastDay, const std::vector<int>& headedColumns)
{
    PeriodValuesCheck::run(fatture, dettaglio, selection, firstDay, lastDay);
    if (!headedColumns.empty()) {
        addColumns(fatture, externalEntries(selection, firstDay, lastDay, headedColumns), 1);
        addColumns(fatture, ordinaryPayments(selection, firstDay, lastDay, headedColumns), 1);
        addColumns(fatture, markedPayments(selection, firstDay, lastDay, headedColumns), -1);
    }
    const std::string period = "DataInserimento >= " + sqlTextLiteral(firstDay) + " and DataInserimento <= " + sqlTextLiteral(lastDay);
    const std::string head = "Select DataInserimento As Giorno, Sum(Valore) As Imp From Dettaglio Where ";
    addCounts(dettaglio, head + period + " and Tipo = 'Presenze' and Dettaglio = 'Generale' Group By DataInserimento", &Day::presenze);
    addCounts(dettaglio, head + period + " and Tipo = 'PresenzeNC' Group By DataInserimento", &Day::presenzeNC);
}

// The engine's sums and the ones made here are checked: a sum that leaves the range of
// the currency type, in the engine or here, ends the run with the same description as
// the statements give.
void PeriodColumnAmounts::addColumns(Database& db, const std::string& sql, int sign)
{
    try {
        auto rs = db.OpenRecordset(sql);
        rowsRead_ += rs->RecordCount();
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
            std::int64_t n = rs->Fields(1).toInt();
            if (n >= 1 && n <= 10) {
                const Currency amount = Currency::fromUnits(rs->Fields(2).toInt());
                Currency& cell = days_[rs->Fields(0).toText()].amounts[n];
                cell = sign < 0 ? cell - amount : cell + amount;
            }
        }
    } catch (const DbOverflowError&) {
        throw CashReportError(PeriodValuesCheck::amountsOutOfRange());
    } catch (const std::overflow_error&) {
        throw CashReportError(PeriodValuesCheck::amountsOutOfRange());
    }
}

void PeriodColumnAmounts::addCounts(Database& db, const std::string& sql, Currency Day::*field)
{
    try {
        auto rs = db.OpenRecordset(sql);
        rowsRead_ += rs->RecordCount();
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
            if (!rs->Fields(1).isNull())
                days_[rs->Fields(0).toText()].*field += rs->Fields(1).toCurrency();
    } catch (const DbOverflowError&) {
        throw CashReportError(PeriodValuesCheck::countsOutOfRange());
    } catch (const std::overflow_error&) {
        throw CashReportError(PeriodValuesCheck::countsOutOfRange());
    }
}

void PeriodColumnAmounts::CalcolaColonnaGiorno(int n, const std::string& g, Totali& giorno, Totali& periodo)
{
    auto it = days_.find(g);
    if (it != days_.end())
        addAmount(n, it->second.amounts[n], giorno, periodo);
}

void PeriodColumnAmounts::CalcolaPresenze(const std::string& g, Totali& giorno, Totali& periodo)
{
    auto it = days_.find(g);
    if (it == days_.end())
        return;
    addCount(totali::Presenze, it->second.presenze, giorno, periodo);
    addCount(totali::PresenzeNC, it->second.presenzeNC, giorno, periodo);
}

}
