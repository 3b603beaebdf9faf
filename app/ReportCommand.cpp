#include "app/ReportCommand.h"

#include "app/ArgumentError.h"
#include "app/ArgumentValues.h"
#include "app/ShownArgument.h"
#include "app/Workstation.h"
#include "cashreport/CreaDettaglioCassa.h"
#include "cashreport/DocumentType.h"
#include "cashreport/NamedPeriod.h"
#include "platform/Clock.h"
#include "shell/MainFormRules.h"
#include "shell/program_state.h"
#include "platform/Calendar.h"

#include <filesystem>

namespace ravelt {

namespace {

// The period of the command line: --from and --to, or --period by its name, counted from
// the workstation's clock. Raises ArgumentError for both ways given, for neither, and
// for an unknown name.
std::pair<std::string, std::string> periodArguments(const ParsedArguments& args, const Clock& clock)
{
    const std::string* name = args.value("period");
    if (name) {
        if (args.value("from") || args.value("to"))
            throw ArgumentError("--period non va insieme a --from e --to");
        const DateTime now = clock.now();
        const auto period = namedPeriod(*name, CalendarDate{now.year, now.month, now.day});
        if (!period)
            throw ArgumentError("periodo sconosciuto: " + shownArgument(*name) + " (" + namedPeriodNames() + ")");
        return {period->first.text(), period->second.text()};
    }
    if (!args.value("from") || !args.value("to"))
        throw ArgumentError("servono --from e --to, oppure --period");
    return {dateArgument(*args.value("from"), "data iniziale"), dateArgument(*args.value("to"), "data finale")};
}

}

int commandReport(const ParsedArguments& args, const CommandStreams& io, ProgramState& state)
{
    const SystemClock clock;
    ReportOutcome outcome = runReportCommand(args, io, state, clock);
    if (outcome.code == 0 && args.flag("strict") && !outcome.unassigned.empty())
        return EsitoNonAssegnati;
    return outcome.code;
}

ReportOutcome runReportCommand(const ParsedArguments& args, const CommandStreams& io, ProgramState& state, const Clock& clock)
{
    const auto [from, to] = periodArguments(args, clock);
    // The window's rules for the period: start not after the end, at most 100 years.
    std::array<std::int16_t, 13> giorni = CommonYearMonthLengths;
    const PeriodCheck period = checkPeriod(from, to, giorni);
    if (!period.ok)
        throw ArgumentError(period.message);
    const std::string type = args.value("type") ? *args.value("type") : "Tutti";
    if (!documentTypeFromText(type))
        throw ArgumentError("tipo documento sconosciuto: " + shownArgument(type) + " (Tutti, Fatture o Ricevute)");
    std::int16_t counter = 0;
    if (const std::string* text = args.value("counter"))
        counter = static_cast<std::int16_t>(wholeNumberArgument(*text, "contatore", 0, 32767));

    if (!openWorkstation(state, io))
        return {1, {}, {}};
    state.ContatoreScelto = counter;

    CashReportRequest r;
    r.folder = std::filesystem::current_path();
    r.startDate = from;
    r.endDate = to;
    r.documentType = type;
    r.ContatoreScelto = counter;
    r.NumeroHotel = state.hotelInUso();
    r.PCLocal = state.PCLocal;
    r.CodiceAssistenza = state.CodiceAssistenza;
    // On a terminal, one line that follows the days; scripts get only the outcome.
    std::string lastDay;
    if (io.errIsTerminal)
        r.progress = [&lastDay, &io](const std::string& text) {
            const std::string day = text.substr(0, 10);
            if (day != lastDay) {
                lastDay = day;
                io.err << "\rDettaglio incassi: " << day << std::flush;
            }
        };
    try {
        CashReportResult result = CreaDettaglioCassa(r);
        if (!lastDay.empty())
            io.err << "\r" << std::string(40, ' ') << "\r" << std::flush;
        io.out << "Report scritto in " << result.reportPath.string() << " (" << result.days << " giorni, dal " << from
               << " al " << to << ", " << type << ", contatore " << counter << ")\n";
        io.err << unassignedText(result.unassigned);
        return {0, result.reportPath, result.unassigned};
    } catch (const CashReportError& e) {
        if (!lastDay.empty())
            io.err << "\n";
        io.err << "ravelt report: " << e.description() << " (" << e.source() << ")\n";
        return {1, {}, {}};
    }
}

}
