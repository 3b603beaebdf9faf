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
#include "platform/StoreSchema.h"

#include <array>
#include <optional>
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

// Fills the hotel's name and its support code from the record of the request's hotel
// in the registry; both stay unset when no record has the hotel's number. The registry
// is closed before the other stores are opened, and its statements count in the result.
void readHotel(const CashReportRequest& request, CashReportResult& result)
{
    auto registry = Database::OpenDatabase("AnagraficaHotels.mdb", request.folder);
    auto hotels = registry->OpenRecordset("AnagraficaHotels");
    hotels->FindFirst("Numero = " + std::to_string(request.NumeroHotel));
    if (!hotels->NoMatch()) {
        result.NomeHotel = hotels->Fields("RagioneSociale").toText();
        result.CodiceAssistenza = hotels->Fields("CodiceAssistenza").toText();
    }
    result.queries += registry->statementsPrepared();
}

// Fills the ten column headings of the hotel and returns the numbers of the headed
// columns, in order. Each column's heading is the Intestazione of the first row of this
// hotel with the column's number; a column without such a row, or with an empty
// heading, is blank and is not headed.
std::vector<int> readHeadings(Database& colonne, long numeroHotel, CashReportResult& result)
{
    auto colonneRs = colonne.OpenRecordset("ColonneRavelt");
    const std::string hotelNumber = std::to_string(numeroHotel);
    std::vector<int> headed;
    for (int n = 1; n <= 10; ++n) {
        colonneRs->FindFirst("NumeroHotel = " + hotelNumber + " and NumeroColonna = " + std::to_string(n));
        if (!colonneRs->NoMatch())
            result.IntestazioniColonne[n] = colonneRs->Fields("Intestazione").toText();
        if (!result.IntestazioniColonne[n].empty())
            headed.push_back(n);
    }
    return headed;
}

// The figures of the report: one entry per day of the period, in order, with its date
// text, and the period's totals.
struct PeriodFigures {
    std::vector<std::string> dates;
    std::vector<Totali> days;
    Totali period{};
    long rowsRead = 0;
    std::vector<UnassignedCode> unassigned;
};

// Computes every day of the period from start to end for the headed columns, through
// the way of reading the amounts that the request asks for, reporting progress once per
// day and column. Either way checks the period's values in the stores before it sums
// anything, so a value that cannot be read stops the run before any figure is made.
// A start after the end reads nothing and gives no days and zero totals.
PeriodFigures computeDays(const CashReportRequest& request, CalendarDate start, CalendarDate end,
                          const AmountsSelection& selection, const std::vector<int>& headed,
                          const std::array<std::string, 11>& headings, Database& fatture, Database& dettaglio)
{
    PeriodFigures figures;
    if (!(start <= end))
        return figures;
    std::unique_ptr<ColumnAmounts> amounts;
    if (request.path == AmountsPath::Statements)
        amounts = std::make_unique<StatementColumnAmounts>(fatture, dettaglio, selection, start.iso(), end.iso());
    else
        amounts = std::make_unique<PeriodColumnAmounts>(fatture, dettaglio, selection, start.iso(), end.iso(), headed);

    for (CalendarDate day = start; day <= end; day = day.next()) {
        const std::string dataCorrente = day.text();
        const std::string g = day.iso();
        Totali giorno{};
        for (int n : headed) {
            if (request.progress)
                request.progress(dataCorrente + " " + headings[n]);
            amounts->CalcolaColonnaGiorno(n, g, giorno, figures.period);
        }
        amounts->CalcolaPresenze(g, giorno, figures.period);
        figures.dates.push_back(dataCorrente);
        figures.days.push_back(giorno);
    }
    figures.rowsRead = amounts->rowsRead();
    figures.unassigned = amounts->unassigned();
    return figures;
}

// Gives each code of the list its description, the first of the hotel's forms of payment
// in the code lists with that code (compared without regard to letter case; for an
// external entry's code, read from its note as a number, the form whose code reads as
// the same number). The descriptions only help the operator read the list: without the
// code lists, or with a form missing, a code goes without one.
void describeUnassigned(const CashReportRequest& request, std::vector<UnassignedCode>& codes)
{
    if (codes.empty())
        return;
    std::vector<std::pair<std::string, std::string>> forms;
    try {
        auto db = Database::OpenDatabase("CodiciVari.mdb", request.folder);
        auto rs = db->OpenRecordset("Select Sigla, Descrizione From CodiciVari Where NumeroHotel = " + std::to_string(request.NumeroHotel) +
                                    " and Tipo = 4");
        for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext())
            if (!rs->Fields(0).isNull() && !rs->Fields(0).isUnreadable() && !rs->Fields(1).isNull() && !rs->Fields(1).isUnreadable())
                forms.emplace_back(rs->Fields(0).toText(), rs->Fields(1).toText());
    } catch (const std::exception&) {
        return;
    }
    for (auto& c : codes) {
        for (const auto& [sigla, descrizione] : forms) {
            if (isCodeOf(c, sigla)) {
                c.description = descrizione;
                break;
            }
        }
    }
}

// Lays out the report and writes it whole as the report file at result.reportPath: the
// hotel's name, the title with the request's date texts as typed, the framed headings,
// one line per day, the totals and a final empty line, each ended by CR LF. The widths
// come from all the days at once, so that a cell too wide for its column widens the
// whole column on every line. Nothing replaces the previous file unless every line is
// written.
void writeReport(const CashReportRequest& request, const CashReportResult& result, const PeriodFigures& figures)
{
    const CashReportLayout::Widths widths =
        CashReportLayout::widthsFor(figures.days, figures.period, result.IntestazioniColonne);
    const SystemClock systemClock;
    const Clock& clock = request.clock ? *request.clock : systemClock;
    const std::string separator = CashReportLayout::separator(widths);

    AtomicFile file(result.reportPath);
    auto writeLine = [&](const std::string& bytes) { file.write(bytes + LineEnd); };
    writeLine(toCp1252(result.NomeHotel));
    writeLine(CashReportLayout::titleLine(clock.now(), request.startDate, request.endDate));
    writeLine(CashReportLayout::topRule(widths));
    writeLine(CashReportLayout::headingsLine(result.IntestazioniColonne, widths));
    writeLine(separator);
    for (std::size_t k = 0; k < figures.days.size(); ++k)
        writeLine(CashReportLayout::dayLine(figures.dates[k], figures.days[k], result.IntestazioniColonne, widths));
    writeLine(separator);
    writeLine(CashReportLayout::totalsLine(figures.period, widths));
    writeLine(CashReportLayout::bottomRule(widths));
    writeLine("");
    file.commit();
}

// The run itself: the request checked, the stores read (the hotel record, the headings,
// the amounts of every day), then the report written. A store of invoices made by an
// earlier version gets the indexes the period's pass reads through, once. Any failure leaves it by an
// exception before the report file is committed, so the previous file stays in place.
CashReportResult run(const CashReportRequest& request)
{
    const CalendarDate start = requireDate(request.startDate, "iniziale");
    const CalendarDate end = requireDate(request.endDate, "finale");
    AmountsSelection selection;
    selection.type = requireType(request.documentType);
    selection.contatore = request.ContatoreScelto;
    selection.numeroHotel = request.NumeroHotel;

    CashReportResult result;
    readHotel(request, result);
    selection.optionR = hasOptionR(result.CodiceAssistenza.value_or(request.CodiceAssistenza));

    auto colonne = Database::OpenDatabase("ColonneRavelt.mdb", request.folder);
    auto fatture = Database::OpenDatabase("Fatture.mdb", request.folder);
    addMissingIndexes(*fatture);
    auto dettaglio = Database::OpenDatabase("Dettaglio.mdb", request.folder);
    const std::vector<int> headed = readHeadings(*colonne, request.NumeroHotel, result);
    const PeriodFigures figures =
        computeDays(request, start, end, selection, headed, result.IntestazioniColonne, *fatture, *dettaglio);

    result.reportPath = reportFilePath(request.folder, request.PCLocal);
    writeReport(request, result, figures);
    result.days = static_cast<long>(figures.days.size());
    result.rowsRead = figures.rowsRead;
    result.unassigned = figures.unassigned;
    describeUnassigned(request, result.unassigned);
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
