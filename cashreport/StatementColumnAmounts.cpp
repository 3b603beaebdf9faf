#include "cashreport/StatementColumnAmounts.h"

#include "cashreport/CashReportError.h"
#include "cashreport/PeriodValuesCheck.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/SqlQuote.h"

#include <stdexcept>

namespace ravelt {

namespace {

// The fixed pieces the statements are joined from. Each K piece closes the documents
// subquery of a payments selection and opens the column's codes; each E piece ends a
// documents selection with the same conditions.
const char* const K1 = "' and Annullato <> 'S') and Sigla In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna = ";
const char* const KR = "' and Annullato <> 'S' and RiepAcc <> 'A') and Sigla In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna = ";
const char* const KC = "' and Annullato <> 'S' and CorrNonPagato = 0) and Sigla In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna = ";
const char* const KT = "' and Annullato <> 'S' and ((CorrNonPagato = 0 and TipoDocumento = 'Ricevuta n.') or TipoDocumento = 'Fattura n.')) and Sigla In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna = ";
const char* const E0 = "' and Annullato <> 'S'";
const char* const ER = "' and Annullato <> 'S' and RiepAcc <> 'A'";
const char* const EC = "' and Annullato <> 'S' and CorrNonPagato = 0";
const char* const ET = "' and Annullato <> 'S' and ((CorrNonPagato = 0 and TipoDocumento = 'Ricevuta n.') or TipoDocumento = 'Fattura n.')";

const char* const Walk = "Importo <> 0";

// "Contatore = c and " when a counter is chosen, nothing for every counter.
std::string counterTest(const AmountsSelection& s)
{
    return s.contatore == 0 ? std::string() : "Contatore = " + std::to_string(s.contatore) + " and ";
}

// The K and E pieces of stage 2 for the type and option R.
const char* ordinaryK(const AmountsSelection& s)
{
    switch (s.type) {
    case DocumentType::Fatture: return K1;
    case DocumentType::Ricevute: return s.optionR ? KR : KC;
    case DocumentType::Tutti: return s.optionR ? KR : KT;
    }
    return K1;
}

const char* ordinaryE(const AmountsSelection& s)
{
    switch (s.type) {
    case DocumentType::Fatture: return E0;
    case DocumentType::Ricevute: return s.optionR ? ER : EC;
    case DocumentType::Tutti: return s.optionR ? ER : ET;
    }
    return E0;
}

// The document-type test of stage 2 (full type text) and stage 3 (first three letters).
std::string ordinaryTypeTest(const AmountsSelection& s)
{
    switch (s.type) {
    case DocumentType::Fatture: return "TipoDocumento = 'Fattura n.' and ";
    case DocumentType::Ricevute: return "TipoDocumento = 'Ricevuta n.' and ";
    case DocumentType::Tutti: return "";
    }
    return "";
}

std::string markedTypeTest(const AmountsSelection& s)
{
    switch (s.type) {
    case DocumentType::Fatture: return "Left(TipoDocumento,3) = 'Fat' and ";
    case DocumentType::Ricevute: return "Left(TipoDocumento,3) = 'Ric' and ";
    case DocumentType::Tutti: return "";
    }
    return "";
}

// A record's text value as a quoted literal of a criteria expression, its apostrophes
// doubled; Null as the word Null, which equals nothing.
std::string quotedText(const Value& v)
{
    if (v.isNull())
        return "Null";
    return sqlTextLiteral(v.toText());
}

// A record's number as a literal of a criteria expression. A number field holding what
// its type cannot hold is written as the store holds it (a text quoted, a number as it
// is, a blob as Null), so that the search compares it as the engine compares the field.
std::string plainNumber(const Value& v)
{
    if (v.isNull())
        return "Null";
    if (v.isText())
        return std::to_string(v.toInt());
    if (v.isUnreadable()) {
        switch (v.unreadable().kind) {
        case Value::Unreadable::Kind::Text: return quotedText(Value(v.unreadable().bytes));
        case Value::Unreadable::Kind::Blob: return "Null";
        default: return v.toText();
        }
    }
    return v.toText();
}

}

StatementColumnAmounts::StatementColumnAmounts(Database& fatture, Database& dettaglio, const AmountsSelection& selection,
                                               const std::string& firstDay, const std::string& lastDay)
    : fatture_(fatture), dettaglio_(dettaglio), selection_(selection)
{
    if (firstDay <= lastDay)
        PeriodValuesCheck::run(fatture, dettaglio, selection, firstDay, lastDay);
}

std::string StatementColumnAmounts::externalEntries(const AmountsSelection& s, const std::string& g, int n)
{
    return "Select Importo From Incassi Where " + counterTest(s) + "TipoDocumento = 'ESTERNI' and DataEmissione = '" + g +
           "' and Val(Left(Nota,4)) In (Select Sigla From ColonneRavelt In 'ColonneRavelt.mdb' Where NumeroColonna = " +
           std::to_string(n) + ");";
}

std::string StatementColumnAmounts::ordinaryPayments(const AmountsSelection& s, const std::string& g, int n)
{
    std::string head = "Select * From Incassi Where " + counterTest(s) + ordinaryTypeTest(s) +
                       "NDocumento In (Select NDocumento From DatiFattura Where " + counterTest(s) + ordinaryTypeTest(s) +
                       "RiepAcc <> 'N' and DataEmissione = '";
    return head + g + ordinaryK(s) + std::to_string(n) + ") and DataEmissione = '" + g + "';";
}

std::string StatementColumnAmounts::ordinaryDocuments(const AmountsSelection& s, const std::string& g)
{
    std::string dhead = "Select * From DatiFattura Where " + counterTest(s) + ordinaryTypeTest(s) + "RiepAcc <> 'N' and DataEmissione = '";
    return dhead + g + ordinaryE(s);
}

std::string StatementColumnAmounts::markedPayments(const AmountsSelection& s, const std::string& g, int n)
{
    // For invoices and receipts the payments are chosen by their document's number and
    // type letters alone; for every type by their own day as well.
    std::string own = s.type == DocumentType::Tutti ? "DataEmissione = '" + g + "' and " : markedTypeTest(s);
    const char* k = s.type == DocumentType::Ricevute ? KC : K1;
    return "Select * From Incassi Where " + counterTest(s) + own + "NDocumento In (Select NDocumento From DatiFattura Where " +
           markedTypeTest(s) + "RiepAcc = 'N' and DataEmissione = '" + g + k + std::to_string(n) + ");";
}

std::string StatementColumnAmounts::markedDocuments(const AmountsSelection& s, const std::string& g)
{
    const char* e = s.type == DocumentType::Ricevute ? EC : E0;
    return "Select * From DatiFattura Where " + counterTest(s) + markedTypeTest(s) + "RiepAcc = 'N' and DataEmissione = '" + g + e;
}

std::string StatementColumnAmounts::documentCriteria(std::int16_t numeroHotel, const Recordset& p, const char* tail)
{
    return "NumeroHotel = " + std::to_string(numeroHotel) + " and TipoDocumento = " + quotedText(p.Fields("TipoDocumento")) +
           " and NDocumento = " + plainNumber(p.Fields("NDocumento")) + " and DataEmissione = " +
           quotedText(p.Fields("DataEmissione")) + " and Contatore = " + plainNumber(p.Fields("Contatore")) + tail;
}

Currency StatementColumnAmounts::matchedPayments(const std::string& payments, const std::string& documents, const char* tail)
{
    auto p = fatture_.OpenRecordset(payments);
    auto d = fatture_.OpenRecordset(documents);
    rowsRead_ += p->RecordCount() + d->RecordCount();
    Currency sum;
    if (p->RecordCount() == 0)
        return sum;
    for (p->FindFirst(Walk); !p->NoMatch(); p->FindNext(Walk)) {
        d->FindFirst(documentCriteria(selection_.numeroHotel, *p, tail));
        const Value& importo = p->Fields("Importo");
        if (!d->NoMatch() && !importo.isNull())
            sum += importo.toCurrency();
    }
    return sum;
}

void StatementColumnAmounts::CalcolaColonnaGiorno(int n, const std::string& g, Totali& giorno, Totali& periodo)
{
    try {
        addColumnDay(n, g, giorno, periodo);
    } catch (const std::overflow_error&) {
        throw CashReportError(PeriodValuesCheck::amountsOutOfRange());
    }
}

void StatementColumnAmounts::addColumnDay(int n, const std::string& g, Totali& giorno, Totali& periodo)
{
    auto apply = [&](Currency amount) { addAmount(n, amount, giorno, periodo); };

    // Stage 1: the external cash entries whose note starts with one of the column's codes.
    auto external = fatture_.OpenRecordset(externalEntries(selection_, g, n));
    rowsRead_ += external->RecordCount();
    if (external->RecordCount() > 0)
        for (external->FindFirst(Walk); !external->NoMatch(); external->FindNext(Walk))
            if (const Value& importo = external->Fields("Importo"); !importo.isNull())
                apply(importo.toCurrency());

    // Stage 2: the payments of the day's ordinary documents, added.
    apply(matchedPayments(ordinaryPayments(selection_, g, n), ordinaryDocuments(selection_, g), " and RiepAcc <> 'N'"));

    // Stage 3: the payments of the day's documents marked "N", taken off.
    apply(-matchedPayments(markedPayments(selection_, g, n), markedDocuments(selection_, g), " and RiepAcc = 'N'"));
}

void StatementColumnAmounts::CalcolaPresenze(const std::string& g, Totali& giorno, Totali& periodo)
{
    const std::pair<std::string, int> counts[] = {
        {"Select Sum(Valore) as Imp From Dettaglio Where DataInserimento = '" + g + "' and Tipo = 'Presenze' and Dettaglio = 'Generale'",
         totali::Presenze},
        {"Select Sum(Valore) as Imp From Dettaglio Where DataInserimento = '" + g + "' and Tipo = 'PresenzeNC'", totali::PresenzeNC},
    };
    for (const auto& [sql, position] : counts) {
        auto rs = dettaglio_.OpenRecordset(sql);
        rowsRead_ += rs->RecordCount();
        if (rs->RecordCount() > 0 && !rs->Fields("Imp").isNull()) {
            Currency imp;
            try {
                imp = rs->Fields("Imp").toCurrency();
            } catch (const std::overflow_error&) {
                throw CashReportError(PeriodValuesCheck::countsOutOfRange());
            }
            addCount(position, imp, giorno, periodo);
        }
    }
}

}
