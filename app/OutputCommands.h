#pragma once
#include "shell/program_state.h"
#include "app/CommandStreams.h"
#include "app/CommandSyntax.h"
#include "output/ComandiUscita.h"

#include <functional>

namespace ravelt {

// The output side's commands without windows, on the workstation's report file in the
// current folder, after the same opening of the working folder and the same gate as the
// report. Each picks Qt's offscreen platform itself when there is no display.
//
//   print: the options of OpzioniStampa (--destination, --pdf, --normal, --landscape,
//          --duplex, --printer); csv and mail take none.
//
// Exit codes: 0 done, 1 failed (the reason on 'io.err'); mail returns the mail program's
// own exit code.
int commandPrint(const ParsedArguments& args, const CommandStreams& io, ProgramState& state);
int commandCsv(const ParsedArguments& args, const CommandStreams& io, ProgramState& state);
int commandMail(const ParsedArguments& args, const CommandStreams& io, ProgramState& state);

// Opens the workstation, then runs 'command' with the printers, the environment and the
// mail program's launcher of this machine, writing to the command's streams; 'gui' when
// the command prints (the toolkit's widgets application). Returns the command's code, 1
// when the workstation cannot be opened.
int withOutputContext(bool gui, const CommandStreams& io, ProgramState& state, const std::function<int(const ContestoComandi&)>& command);

}
