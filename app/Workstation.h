#pragma once
#include "app/CommandStreams.h"
#include "shell/program_state.h"

namespace ravelt {

// Opens the working folder (the current one) as the main window's load and activation
// do, for a command without windows: the hotel registry, the password file, the gate
// (cliGate), the workstation's variables and the column store. Every message goes to
// 'io.err'. Returns false, with the reason already told, when the command must not go on.
bool openWorkstation(ProgramState& state, const CommandStreams& io);

}
