#pragma once
#include "app/CommandStreams.h"
#include "app/CommandSyntax.h"
#include "shell/program_state.h"

namespace ravelt {

class Clock;

// "ravelt audit": the night audit without windows. The cash report of a named period
// (--period, yesterday when not given), then each output asked for, in this order: the
// report printed on the PDF destination (--pdf), on a print destination (--print), and
// mailed with the mail program, the PDF attached when one was made (--mail). Each step
// that ends well writes a line "audit: ..." on 'io.out'; the first that fails stops the
// audit with its reason on 'io.err' and a non-zero exit: the report's or the print's 1,
// the mail program's own code. With --strict, payments that fall in no column stop it
// after the report with EsitoNonAssegnati. Throws ArgumentError for an option that
// cannot be used, before anything is opened.
int commandAudit(const ParsedArguments& args, const CommandStreams& io, ProgramState& state);

// The same with the clock that names the period given.
int runAudit(const ParsedArguments& args, const CommandStreams& io, ProgramState& state, const Clock& clock);

}
