#include "cashreport/PeriodValuesCheck.h"

#include "cashreport/CashReportError.h"
#include "platform/Currency.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/SqlQuote.h"

namespace ravelt {

namespace {

// A stored yyyymmdd day as dd/mm/yyyy; any other text as it is, between quotes.
std::string dayText(const Value& v)
{
    const std::string t = v.toText();
    if (t.size() == 8 && t.find_first_not_of("0123456789") == std::string::npos)
        return t.substr(6, 2) + "/" + t.substr(4, 2) + "/" + t.substr(0, 4);
    return "\"" + t + "\"";
}

}

void PeriodValuesCheck::run(Database& fatture, Database& dettaglio, const AmountsSelection& s, const std::string& firstDay,
                            const std::string& lastDay)
{
    payments(fatture, s, firstDay, lastDay);
    counts(dettaglio, firstDay, lastDay);
}

void PeriodValuesCheck::payments(Database& fatture, const AmountsSelection& s, const std::string& firstDay, const std::string& lastDay)
{
    std::string payments = "DataEmissione >= " + sqlTextLiteral(firstDay) + " and DataEmissione <= " + sqlTextLiteral(lastDay);
    if (s.contatore != 0)
        payments += " and Contatore = " + std::to_string(s.contatore);
    if (auto p = fatture.FindUnreadable("Incassi", "Importo", payments))
        throw CashReportError("Archivio " + fatture.name() + ", tabella Incassi, documento " + p->Fields("TipoDocumento").toText() +
                              " " + p->Fields("NDocumento").toText() + " del " + dayText(p->Fields("DataEmissione")) + ": " +
                              p->Fields("Importo").unreadable().description());
}

void PeriodValuesCheck::counts(Database& dettaglio, const std::string& firstDay, const std::string& lastDay)
{
    const std::string counts = "DataInserimento >= " + sqlTextLiteral(firstDay) + " and DataInserimento <= " + sqlTextLiteral(lastDay) +
                               " and ((Tipo = 'Presenze' and Dettaglio = 'Generale') or Tipo = 'PresenzeNC')";
    if (auto d = dettaglio.FindUnreadable("Dettaglio", "Valore", counts))
        throw CashReportError("Archivio " + dettaglio.name() + ", tabella Dettaglio, riga " + d->Fields("Tipo").toText() + " " +
                              d->Fields("Dettaglio").toText() + " del " + dayText(d->Fields("DataInserimento")) + ": " +
                              d->Fields("Valore").unreadable().description());
}

std::string PeriodValuesCheck::amountsOutOfRange()
{
    return "La somma degli importi di Incassi (Fatture.mdb) esce dall'intervallo della valuta (" + Currency::rangeText() + ")";
}

std::string PeriodValuesCheck::countsOutOfRange()
{
    return "La somma dei valori di Dettaglio (Dettaglio.mdb) esce dall'intervallo della valuta (" + Currency::rangeText() + ")";
}

}
