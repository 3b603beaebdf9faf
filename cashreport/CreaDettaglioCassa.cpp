#include "cashreport/CreaDettaglioCassa.h"

#include "cashreport/CalendarDate.h"
#include "cashreport/CashReportLayout.h"
#include "cashreport/PeriodColumnAmounts.h"
#include "cashreport/StatementColumnAmounts.h"
#include "platform/ReportFile.h"
#include "platform/AtomicFile.h"
#include "platform/Clock.h"
#include "platform/Cp1252.h"
#include "platform/Database.h"
#include "platform/Recordset.h"

#include <memory>
#include <vector>

namespace ravelt {

namespace {

const char* const LineEnd = "\r\n";

CalendarDate requireDate(const std::string& text, const char* which)
{
    auto date = CalendarDate::parse(text);
    if (!date)
        throw CashReportError(std::string("Data ") + which + " non valida: \"" + text +
                              "\" (serve un giorno del calendario nella forma gg/mm/aaaa)");
    return *date;
}

DocumentType requireType(const std::string& text)
{
    auto type = documentTypeFromText(text);
    if (!type)
        throw CashReportError("Tipo di documento sconosciuto: \"" + text + "\" (Tutti, Fatture o Ricevute)");
    return *type;
}

// The run itself; any failure leaves it by an exception before the report file is
// committed, so the previous file stays in place.
CashReportResult run(const CashReportRequest& request)
{
    const CalendarDate start = requireDate(request.startDate, "iniziale");
    const CalendarDate end = requireDate(request.endDate, "finale");
    AmountsSelection selection;
    selection.type = requireType(request.documentType);
    selection.contatore = request.ContatoreScelto;
    selection.numeroHotel = request.NumeroHotel;

    CashReportResult result;
    const std::string hotelNumber = std::to_string(request.NumeroHotel);

    // The hotel's name and its support code, from the registry.
    {
        auto registry = Database::OpenDatabase("AnagraficaHotels.mdb", request.folder);
        auto hotels = registry->OpenRecordset("AnagraficaHotels");
        hotels->FindFirst("Numero = " + hotelNumber);
        if (!hotels->NoMatch()) {
            result.NomeHotel = hotels->Fields("RagioneSociale").toText();
            result.CodiceAssistenza = hotels->Fields("CodiceAssistenza").toText();
        }
        result.queries += registry->statementsPrepared();
    }
    selection.optionR = hasOptionR(result.CodiceAssistenza.value_or(request.CodiceAssistenza));

    auto colonne = Database::OpenDatabase("ColonneRavelt.mdb", request.folder);
    auto fatture = Database::OpenDatabase("Fatture.mdb", request.folder);
    auto dettaglio = Database::OpenDatabase("Dettaglio.mdb", request.folder);
    auto colonneRs = colonne->OpenRecordset("ColonneRavelt");

    // Each column's heading is the Intestazione of the first row of this hotel with the
    // column's number; a column without such a row, or with an empty heading, is blank.
    std::vector<int> headed;
    for (int n = 1; n <= 10; ++n) {
        colonneRs->FindFirst("NumeroHotel = " + hotelNumber + " and NumeroColonna = " + std::to_string(n));
        if (!colonneRs->NoMatch())
            result.IntestazioniColonne[n] = colonneRs->Fields("Intestazione").toText();
        if (!result.IntestazioniColonne[n].empty())
            headed.push_back(n);
    }

    // Either way checks the period's values in the stores before it sums anything.
    std::unique_ptr<ColumnAmounts> amounts;
    if (start <= end) {
        if (request.path == AmountsPath::Statements)
            amounts = std::make_unique<StatementColumnAmounts>(*fatture, *dettaglio, selection, start.iso(), end.iso());
        else
            amounts = std::make_unique<PeriodColumnAmounts>(*fatture, *dettaglio, selection, start.iso(), end.iso(), headed);
    }

    // Every day is computed before anything is written: a cell too wide for its column
    // widens the whole column, on every line, so the widths come from all the days.
    std::vector<std::string> dates;
    std::vector<Totali> giorni;
    Totali periodo{};
    for (CalendarDate day = start; day <= end; day = day.next()) {
        const std::string dataCorrente = day.text();
        const std::string g = day.iso();
        Totali giorno{};
        for (int n : headed) {
            if (request.progress)
                request.progress(dataCorrente + " " + result.IntestazioniColonne[n]);
            amounts->CalcolaColonnaGiorno(n, g, giorno, periodo);
        }
        amounts->CalcolaPresenze(g, giorno, periodo);
        dates.push_back(dataCorrente);
        giorni.push_back(giorno);
    }
    const CashReportLayout::Widths widths = CashReportLayout::widthsFor(giorni, periodo, result.IntestazioniColonne);

    const SystemClock systemClock;
    const Clock& clock = request.clock ? *request.clock : systemClock;
    const std::string separator = CashReportLayout::separator(widths);

    result.reportPath = reportFilePath(request.folder, request.PCLocal);
    AtomicFile file(result.reportPath);
    auto writeLine = [&](const std::string& bytes) { file.write(bytes + LineEnd); };
    writeLine(toCp1252(result.NomeHotel));
    writeLine(CashReportLayout::titleLine(clock.now(), request.startDate, request.endDate));
    writeLine(CashReportLayout::topRule(widths));
    writeLine(CashReportLayout::headingsLine(result.IntestazioniColonne, widths));
    writeLine(separator);
    for (std::size_t k = 0; k < giorni.size(); ++k)
        writeLine(CashReportLayout::dayLine(dates[k], giorni[k], result.IntestazioniColonne, widths));
    result.days = static_cast<long>(giorni.size());

    writeLine(separator);
    writeLine(CashReportLayout::totalsLine(periodo, widths));
    writeLine(CashReportLayout::bottomRule(widths));
    writeLine("");
    file.commit();

    if (amounts)
        result.rowsRead = amounts->rowsRead();
    result.queries += colonne->statementsPrepared() + fatture->statementsPrepared() + dettaglio->statementsPrepared();
    return result;
}

}

CashReportResult CreaDettaglioCassa(const CashReportRequest& request)
{
    try {
        return run(request);
    } catch (const CashReportError&) {
        throw;
    } catch (const std::exception& e) {
        throw CashReportError(e.what());
    }
}

}
