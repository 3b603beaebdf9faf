#pragma once
#include "shell/program_state.h"
#include "app/CommandStreams.h"
#include "app/CommandSyntax.h"
#include "cashreport/UnassignedCode.h"

#include <filesystem>
#include <vector>

namespace ravelt {

class Clock;

// The exit code of "ravelt report --strict" that made the report but found payments
// that fall in no column.
constexpr int EsitoNonAssegnati = 3;

// What a report run of the command line ended with: its exit code (0 written, 1 not),
// the report file, and the codes whose payments the report shows nowhere.
struct ReportOutcome {
    int code = 1;
    std::filesystem::path reportPath;
    std::vector<UnassignedCode> unassigned;
};

// "ravelt report": the cash report of the period without windows, after the working
// folder is opened as the main window opens it (the gate included). The period is
// --from and --to, or --period by its name counted from the workstation's clock. Throws
// ArgumentError for a period, a type or a counter that cannot be used (before anything
// is opened); returns 0 when the report file FD<PCLocal> is written, 1 with the reason on
// 'io.err' when the report cannot be made (the previous report file then stays). The
// payments the report shows nowhere are listed on 'io.err'; with --strict, a list that is
// not empty makes the exit code EsitoNonAssegnati.
int commandReport(const ParsedArguments& args, const CommandStreams& io, ProgramState& state);

// The run of commandReport with the clock given, for the audit, which goes on with the
// report's outputs. --strict is left to the caller.
ReportOutcome runReportCommand(const ParsedArguments& args, const CommandStreams& io, ProgramState& state, const Clock& clock);

}
