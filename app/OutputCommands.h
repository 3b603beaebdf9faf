#pragma once
#include "shell/program_state.h"

#include <string>
#include <vector>

namespace ravelt {

// The output side's commands without windows, on the workstation's report file in the
// current folder. They expect 'state' filled as the start-up fills it
// (PCLocal, NumeroHotel, CodiceAssistenza) and the management gate passed. Each picks
// Qt's offscreen platform itself when there is no display.
//
//   print [--destination NAME | --pdf] [--normal] [--landscape] [--duplex] [--printer DEVICE]
//   csv
//   mail
//
// Exit codes: 0 done, 1 failed (the reason on standard error), 2 wrong arguments; mail
// returns the mail program's own exit code.
int commandPrint(const std::vector<std::string>& args, ProgramState& state);
int commandCsv(const std::vector<std::string>& args, ProgramState& state);
int commandMail(const std::vector<std::string>& args, ProgramState& state);

}
