#include "cashreport/PeriodColumnAmounts.h"

#include "platform/Database.h"
#include "platform/Recordset.h"

namespace ravelt {

namespace {

// An amount as whole ten-thousandths, rounded half away from zero like the program's
// reading of a stored amount.
const char* const Units = "Cast(Round(p.Importo * 10000) As Integer)";

std::string quoted(const std::string& day)
{
    return "'" + day + "'";
}

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
    std::string w = "p.DataEmissione >= " + quoted(firstDay) + " and p.DataEmissione <= " + quoted(lastDay) + " and p.Importo <> 0";
    if (s.contatore != 0)
        w += " and p.Contatore = " + std::to_string(s.contatore);
    return w;
}

// The document a payment is searched for in stage 2 and 3: the same hotel, type,
// number, day and counter. 'marked' chooses the documents marked "N" (stage 3).
std::string sameDocument(const AmountsSelection& s, bool marked)
{
    return "d.NumeroHotel = " + std::to_string(s.numeroHotel) +
           " and d.TipoDocumento = p.TipoDocumento and d.NDocumento = p.NDocumento and d.DataEmissione = p.DataEmissione"
           " and d.Contatore = p.Contatore and d.RiepAcc " +
           (marked ? "= 'N'" : "<> 'N'");
}

std::string documentCounter(const AmountsSelection& s)
{
    return s.contatore == 0 ? std::string() : " and d.Contatore = " + std::to_string(s.contatore);
}

// Groups payments by day and code, then spreads the groups over the columns whose codes
// hold that code. A code listed twice in a column counts once, as in the column's
// subquery: the codes are taken distinct, compared as the stores compare text.
std::string spreadOverColumns(const std::string& payments, const std::vector<int>& columns)
{
    return "Select s.Giorno As Giorno, k.NumeroColonna As Colonna, Sum(s.Unita) As Unita From (Select p.DataEmissione As Giorno, "
           "p.Sigla As Sigla, Sum(" + std::string(Units) + ") As Unita From Incassi As p Where " + payments +
           " Group By p.DataEmissione, p.Sigla) As s, (Select Distinct NumeroColonna, Sigla From ColonneRavelt In "
           "'ColonneRavelt.mdb' Where NumeroColonna In (" + columnList(columns) +
           ")) As k Where s.Sigla = k.Sigla Group By s.Giorno, k.NumeroColonna";
}

}

std::string PeriodColumnAmounts::externalEntries(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay,
                                                 const std::vector<int>& columns)
{
    // The code is read from the note and compared as a number with each column's codes,
    // through the same subquery as the day's selection.
    std::string each;
    for (int n : columns)
        each += (each.empty() ? "Select " : " Union All Select ") + std::to_string(n) + " As Colonna";
    return "Select p.DataEmissione As Giorno, k.Colonna As Colonna, Sum(" + std::string(Units) +
           ") As Unita From Incassi As p Cross Join (" + each + ") As k Where p.TipoDocumento = 'ESTERNI' and " +
           paymentsOfPeriod(s, firstDay, lastDay) +
           " and Val(Left(p.Nota,4)) In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna = k.Colonna)"
           " Group By p.DataEmissione, k.Colonna";
}

std::string PeriodColumnAmounts::ordinaryPayments(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay,
                                                  const std::vector<int>& columns)
{
    std::string payment = paymentsOfPeriod(s, firstDay, lastDay);
    std::string document = sameDocument(s, false) + documentCounter(s);
    switch (s.type) {
    case DocumentType::Fatture:
        payment += " and p.TipoDocumento = 'Fattura n.'";
        document += " and d.TipoDocumento = 'Fattura n.'";
        break;
    case DocumentType::Ricevute:
        payment += " and p.TipoDocumento = 'Ricevuta n.'";
        document += " and d.TipoDocumento = 'Ricevuta n.'";
        break;
    case DocumentType::Tutti:
        break;
    }
    document += " and d.Annullato <> 'S'";
    if (s.type == DocumentType::Ricevute || s.type == DocumentType::Tutti) {
        if (s.optionR)
            document += " and d.RiepAcc <> 'A'";
        else if (s.type == DocumentType::Ricevute)
            document += " and d.CorrNonPagato = 0";
        else
            document += " and ((d.CorrNonPagato = 0 and d.TipoDocumento = 'Ricevuta n.') or d.TipoDocumento = 'Fattura n.')";
    }
    return spreadOverColumns(payment + " and Exists (Select * From DatiFattura As d Where " + document + ")", columns);
}

std::string PeriodColumnAmounts::markedPayments(const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay,
                                                const std::vector<int>& columns)
{
    std::string payment = paymentsOfPeriod(s, firstDay, lastDay);
    std::string document = sameDocument(s, true) + documentCounter(s);
    switch (s.type) {
    case DocumentType::Fatture:
        payment += " and Left(p.TipoDocumento,3) = 'Fat'";
        document += " and Left(d.TipoDocumento,3) = 'Fat'";
        break;
    case DocumentType::Ricevute:
        payment += " and Left(p.TipoDocumento,3) = 'Ric'";
        document += " and Left(d.TipoDocumento,3) = 'Ric'";
        break;
    case DocumentType::Tutti:
        break;
    }
    document += " and d.Annullato <> 'S'";
    if (s.type == DocumentType::Ricevute)
        document += " and d.CorrNonPagato = 0";
    return spreadOverColumns(payment + " and Exists (Select * From DatiFattura As d Where " + document + ")", columns);
}

PeriodColumnAmounts::PeriodColumnAmounts(Database& fatture, Database& dettaglio, const AmountsSelection& selection,
                                         const std::string& firstDay, const std::string& lastDay, const std::vector<int>& headedColumns)
{
    if (!headedColumns.empty()) {
        addColumns(fatture, externalEntries(selection, firstDay, lastDay, headedColumns), 1);
        addColumns(fatture, ordinaryPayments(selection, firstDay, lastDay, headedColumns), 1);
        addColumns(fatture, markedPayments(selection, firstDay, lastDay, headedColumns), -1);
    }
    const std::string period = "DataInserimento >= " + quoted(firstDay) + " and DataInserimento <= " + quoted(lastDay);
    const std::string head = "Select DataInserimento As Giorno, Cast(Round(Sum(Valore) * 10000) As Integer) As Unita From Dettaglio Where ";
    addCounts(dettaglio, head + period + " and Tipo = 'Presenze' and Dettaglio = 'Generale' Group By DataInserimento", &Day::presenze);
    addCounts(dettaglio, head + period + " and Tipo = 'PresenzeNC' Group By DataInserimento", &Day::presenzeNC);
}

void PeriodColumnAmounts::addColumns(Database& db, const std::string& sql, int sign)
{
    auto rs = db.OpenRecordset(sql);
    rowsRead_ += rs->RecordCount();
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
        std::int64_t n = rs->Fields(1).toInt();
        if (n >= 1 && n <= 10)
            days_[rs->Fields(0).toText()].units[n] += sign * rs->Fields(2).toInt();
    }
}

void PeriodColumnAmounts::addCounts(Database& db, const std::string& sql, std::int64_t Day::*field)
{
    auto rs = db.OpenRecordset(sql);
    rowsRead_ += rs->RecordCount();
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
        if (!rs->Fields(1).isNull())
            days_[rs->Fields(0).toText()].*field += rs->Fields(1).toInt();
}

void PeriodColumnAmounts::CalcolaColonnaGiorno(int n, const std::string& g, Totali& giorno, Totali& periodo)
{
    auto it = days_.find(g);
    if (it == days_.end())
        return;
    Currency amount = Currency::fromUnits(it->second.units[n]);
    giorno[n] += amount;
    giorno[totali::Totale] += amount;
    periodo[n] += amount;
    periodo[totali::Totale] += amount;
}

void PeriodColumnAmounts::CalcolaPresenze(const std::string& g, Totali& giorno, Totali& periodo)
{
    auto it = days_.find(g);
    if (it == days_.end())
        return;
    Currency presenze = Currency::fromUnits(it->second.presenze);
    Currency presenzeNC = Currency::fromUnits(it->second.presenzeNC);
    giorno[totali::Presenze] += presenze;
    periodo[totali::Presenze] += presenze;
    giorno[totali::PresenzeNC] += presenzeNC;
    periodo[totali::PresenzeNC] += presenzeNC;
}

}
