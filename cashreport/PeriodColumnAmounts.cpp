#include "cashreport/PeriodColumnAmounts.h"

#include "cashreport/CashReportError.h"
#include "cashreport/PeriodValuesCheck.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/DbOverflowError.h"
#include "platform/Recordset.h"
#include "platform/SqlQuote.h"

#include <algorithm>
#include <stdexcept>

namespace ravelt {

namespace {

// An amount as whole ten-thousandths, read exactly as the program reads a stored amount.
const char* const Units = "CurrencyUnits(p.Importo)";

// The payments of the period, and, when a counter is chosen, of it. Those without an
// amount add nothing, but are read all the same: the pass reads every amount.
std::string paymentsOfPeriod(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay)
{
    std::string w = "p.DataEmissione >= " + sqlTextLiteral(firstDay) + " and p.DataEmissione <= " + sqlTextLiteral(lastDay);
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

// One amount of the pass: the payment's amount, in ten-thousandths, when the condition
// holds, summed over the day and code.
std::string sumWhen(const std::string& condition)
{
    return "Sum(Case When " + condition + " Then " + Units + " End)";
}

// The codes of column n, as every selection of the column names them.
std::string codesOfColumn(int n)
{
    return "(Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna = " + std::to_string(n) + ")";
}

}

std::string PeriodColumnAmounts::periodPayments(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay,
                                                const std::vector<int>& columns)
{
    // The payments are grouped by day, code, type and note, the order of the index the
    // pass reads, so the engine sums each group as it reads it. The columns a group's
    // code belongs to, and for a group of external entries those its note's code
    // belongs to, are told once for the group, each as a bit of a number (column n the
    // bit n - 1). The two stages of documents are sums of their own over the same rows,
    // so a payment that meets the conditions of more than one stage counts in each, as
    // the statements count it. Marked documents are few: a payment is searched for its
    // marked document only when its number is among those of the period's marked
    // documents.
    std::string codes, external;
    for (int n : columns) {
        const std::string bit = std::to_string(1 << (n - 1));
        codes += (codes.empty() ? "" : " + ") + std::string("Case When p.Sigla In ") + codesOfColumn(n) + " Then " + bit + " Else 0 End";
        external += (external.empty() ? "" : " + ") + std::string("Case When Val(Left(p.Nota,4)) In ") + codesOfColumn(n) + " Then " +
                    bit + " Else 0 End";
    }
    if (columns.empty())
        codes = external = "0";
    // A payment whose code is in no headed column is counted, for the list of what the
    // report leaves out, once for each stage it meets; the code is tested first, once, so
    // that the payments of the columns, nearly all of them, are not searched for their
    // document a second time.
    std::string unassigned = "1 = 1";
    if (!columns.empty()) {
        std::string list;
        for (int n : columns)
            list += (list.empty() ? "" : ", ") + std::to_string(n);
        unassigned = "(Case When p.Sigla In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna In (" + list +
                     ")) Then 0 Else 1 End) = 1";
    }
    const std::string ordinary = paymentType(s, false) + "Exists (Select * From DatiFattura As d Where " + documentOf(s, false) + ")";
    const std::string marked = "p.NDocumento In (Select NDocumento From DatiFattura Where RiepAcc = 'N' and DataEmissione >= " +
                               sqlTextLiteral(firstDay) + " and DataEmissione <= " + sqlTextLiteral(lastDay) + ") and " +
                               paymentType(s, true) + "Exists (Select * From DatiFattura As d Where " + documentOf(s, true) + ")";
    return "Select p.DataEmissione As Giorno, p.Sigla As Sigla, " + codes + " As Colonne, Case When p.TipoDocumento = 'ESTERNI' Then " +
           external + " Else 0 End As ColonneEsterni, " + sumWhen(ordinary) + " As Ordinari, " + sumWhen(marked) + " As Segnati, Sum(" +
           std::string(Units) + ") As Tutti, Case When p.TipoDocumento = 'ESTERNI' Then 1 Else 0 End As Esterno, "
           "Case When p.TipoDocumento = 'ESTERNI' Then Val(Left(p.Nota,4)) End As CodiceEsterno, Count(*) As Voci, "
           "Sum(Case When " + unassigned + " Then (Case When " + ordinary + " Then 1 Else 0 End) + (Case When " + marked +
           " Then 1 Else 0 End) End) As Contati From Incassi As p Where " + paymentsOfPeriod(s, firstDay, lastDay) +
           " Group By p.DataEmissione, p.Sigla, p.TipoDocumento, p.Nota";
}

std::string PeriodColumnAmounts::periodCounts(const std::string& firstDay, const std::string& lastDay)
{
    return "Select DataInserimento As Giorno, Sum(Case When Tipo = 'Presenze' and Dettaglio = 'Generale' Then Valore End) As Presenze, "
           "Sum(Case When Tipo = 'PresenzeNC' Then Valore End) As PresenzeNC From Dettaglio Where DataInserimento >= " +
           sqlTextLiteral(firstDay) + " and DataInserimento <= " + sqlTextLiteral(lastDay) +
           " and ((Tipo = 'Presenze' and Dettaglio = 'Generale') or Tipo = 'PresenzeNC') Group By DataInserimento";
}

PeriodColumnAmounts::PeriodColumnAmounts(Database& fatture, Database& dettaglio, const AmountsSelection& selection,
                                         const std::string& firstDay, const std::string& lastDay, const std::vector<int>& headedColumns)
{
    PeriodValuesCheck::counts(dettaglio, firstDay, lastDay);
    addPayments(fatture, selection, firstDay, lastDay, headedColumns);
    addCounts(dettaglio, firstDay, lastDay);
}

// Runs the pass and adds each group's stages to the columns of its code. A failure of
// the pass is first put down to an amount that cannot be read, when one is there, so
// that the run names it as the statements would; then to a sum out of range, in the
// engine or here.
void PeriodColumnAmounts::addPayments(Database& fatture, const AmountsSelection& selection, const std::string& firstDay,
                                      const std::string& lastDay, const std::vector<int>& columns)
{
    try {
        auto rs = fatture.OpenRecordset(periodPayments(selection, firstDay, lastDay, columns));
        rowsRead_ += rs->RecordCount();
        auto units = [&](int field) { return rs->Fields(field).isNull() ? Currency() : Currency::fromUnits(rs->Fields(field).toInt()); };
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
            const std::int64_t codes = rs->Fields(2).toInt();
            const std::int64_t external = rs->Fields(3).toInt();
            if (codes == 0)
                noteUnassigned(false, rs->Fields(1), rs->Fields(10).isNull() ? 0 : rs->Fields(10).toInt(), units(4) - units(5));
            if (external == 0 && rs->Fields(7).toInt() != 0)
                noteUnassigned(true, rs->Fields(8), rs->Fields(9).toInt(), units(6));
            if (codes == 0 && external == 0)
                continue;
            const Currency net = units(4) - units(5);
            const Currency all = units(6);
            Day& day = days_[rs->Fields(0).toText()];
            for (int n : columns) {
                Currency& cell = day.amounts[n];
                if (codes >> (n - 1) & 1)
                    cell = cell + net;
                if (external >> (n - 1) & 1)
                    cell = cell + all;
            }
        }
    } catch (const std::exception& failure) {
        PeriodValuesCheck::payments(fatture, selection, firstDay, lastDay);
        const auto* db = dynamic_cast<const DbError*>(&failure);
        if ((db && db->kind() == DbError::Kind::Overflow) || dynamic_cast<const std::overflow_error*>(&failure))
            throw CashReportError(PeriodValuesCheck::amountsOutOfRange());
        throw;
    }
}

// Adds a group of payments of a code in no column to the list; a group none of whose
// payments the report would have counted adds nothing. Codes are told apart as the
// stores compare them, without regard to letter case; the list keeps the first spelling.
void PeriodColumnAmounts::noteUnassigned(bool external, const Value& code, long payments, Currency amount)
{
    if (payments == 0)
        return;
    std::string shown = code.isNull() ? std::string() : code.isUnreadable() ? code.unreadable().description() : code.toText();
    const std::string key = (external ? "B" : "A") + std::string(code.isNull() ? "-" : "+") + foldedCode(shown);
    auto [it, added] = unassigned_.try_emplace(key);
    if (added) {
        it->second.external = external;
        it->second.code = shown;
    }
    (external ? it->second.entries : it->second.payments) += payments;
    it->second.amount += amount;
}

std::vector<UnassignedCode> PeriodColumnAmounts::unassigned() const
{
    std::vector<UnassignedCode> list;
    for (const auto& [key, code] : unassigned_)
        if (!code.external)
            list.push_back(code);
    const std::size_t payments = list.size();
    for (const auto& [key, code] : unassigned_) {
        if (!code.external)
            continue;
        auto same = std::find_if(list.begin(), list.begin() + static_cast<long>(payments),
                                 [&](const UnassignedCode& p) { return isCodeOf(code, p.code); });
        if (same == list.begin() + static_cast<long>(payments)) {
            list.push_back(code);
        } else {
            same->entries += code.entries;
            same->amount += code.amount;
        }
    }
    return list;
}

void PeriodColumnAmounts::addCounts(Database& dettaglio, const std::string& firstDay, const std::string& lastDay)
{
    try {
        auto rs = dettaglio.OpenRecordset(periodCounts(firstDay, lastDay));
        rowsRead_ += rs->RecordCount();
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
            Day& day = days_[rs->Fields(0).toText()];
            if (!rs->Fields(1).isNull())
                day.presenze += rs->Fields(1).toCurrency();
            if (!rs->Fields(2).isNull())
                day.presenzeNC += rs->Fields(2).toCurrency();
        }
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
