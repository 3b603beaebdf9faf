#pragma once
#include "app/CommandStreams.h"
#include "shell/program_state.h"

#include <string>
#include <vector>

namespace ravelt {

// The program's command line, 'args' being the words after the program's name (at least
// one: without any, the program opens its window instead). The first word is a command
// (report, print, csv, mail, table-print, demo), --help or --version.
//
// --help, -h and --version, and a command's --help, write on 'io.out' and return 0. An
// unknown command or option, a missing value or operand, or a value that cannot be read
// writes the reason and the usage on 'io.err' and returns 2, before anything is opened or
// written. Otherwise the command runs: 0 when its work is done, non-zero with the reason
// on 'io.err' when it fails.
// 'state' is the program's state for this run, which the command fills by opening the
// working folder (a caller that opened it already with access granted is not asked again).
int runCommandLine(const std::vector<std::string>& args, const CommandStreams& io, ProgramState& state);

}
