#pragma once
#include "shell/program_state.h"
#include "app/CommandStreams.h"
#include "app/CommandSyntax.h"

namespace ravelt {

// "ravelt report": the cash report of the period without windows, after the working
// folder is opened as the main window opens it (the gate included). Throws ArgumentError
// for a date, a type or a counter that cannot be used (before anything is opened);
// returns 0 when the report file FD<PCLocal> is written, 1 with the reason on 'io.err'
// when the report cannot be made (the previous report file then stays).
int commandReport(const ParsedArguments& args, const CommandStreams& io, ProgramState& state);

}
