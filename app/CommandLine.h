#pragma once
#include "app/CommandStreams.h"
#include "app/CommandSyntax.h"
#include "shell/program_state.h"

#include <optional>
#include <string>
#include <vector>

namespace ravelt {

// The program's command line, 'args' being the words after the program's name (at least
// one: without any, the program opens its window instead). The first word is a command
// (report, print, csv, mail, table-print, demo), --help or --version, after any number
// of "--folder DIR" (or "--folder=DIR"). --folder may also stand among the command's own
// options; the last one given counts, and the command then works in that folder (the
// process's current folder is changed to it), a missing or unreadable one being wrong
// arguments. Without --folder a command works in the current folder.
//
// --help, -h and --version, and a command's --help, write on 'io.out' and return 0. An
// unknown command or option, a missing value or operand, or a value that cannot be read
// writes the reason and the usage on 'io.err' and returns 2, before anything is opened or
// written. Otherwise the command runs: 0 when its work is done, non-zero with the reason
// on 'io.err' when it fails.
// 'state' is the program's state for this run, which the command fills by opening the
// working folder (a caller that opened it already with access granted is not asked again).
int runCommandLine(const std::vector<std::string>& args, const CommandStreams& io, ProgramState& state);

// The syntax of every command, in the order the help lists them.
std::vector<CommandSyntax> commandSyntaxes();

// The folder of a command line that names nothing else ("--folder DIR" or "--folder=DIR"
// only): the window's working folder. nullopt for any other command line.
std::optional<std::string> windowFolder(const std::vector<std::string>& args);

}
