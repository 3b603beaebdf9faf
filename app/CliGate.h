#pragma once
#include "shell/program_state.h"

namespace ravelt {

// The management password gate for the commands without windows. When the hotel's
// support code asks for the password, it is taken from RAVELT_PASSWORD or, on a
// terminal, typed without echo; the check is the window's. Sets AccessoConsentito.
void cliGate(ProgramState& state);

}
