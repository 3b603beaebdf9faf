#pragma once
#include "shell/program_state.h"
#include "app/CommandStreams.h"
#include "app/CommandSyntax.h"

namespace ravelt {

// "ravelt table-print NAME": in the current folder, prints the table of the print
// definition NAME.stp with the saved filter NAME.fil as the filtered print screen does
// when "&Anteprima" is pressed as soon as it opens, into the workstation's report file.
// The management gate applies as for the report, unless the workstation was opened with
// access granted before the call. NAME must be a plain name of the working folder: not
// empty, not "." or "..", no "/" or "\", at most NAME_MAX - 4 bytes; another name throws
// ArgumentError with the reason. Returns 0 when the report file is written; 1, with the
// reason on 'io.err' and the report file untouched, when the definition is missing, no
// criterion counts, or the print fails.
int commandTablePrint(const ParsedArguments& args, const CommandStreams& io, ProgramState& state);

}
