#pragma once
#include "shell/program_state.h"

#include <ostream>

namespace ravelt {

// The management password gate for the commands without windows. When the hotel's
// support code asks for the password, it is taken from RAVELT_PASSWORD, else from the
// first line of the file RAVELT_PASSWORD_FILE names (readable by its owner only, or
// refused), else, on a terminal, typed without echo after a prompt on 'err'; the check
// is the window's. Sets AccessoConsentito; a password that cannot be asked for is told
// on 'err'.
void cliGate(ProgramState& state, std::ostream& err);

}
