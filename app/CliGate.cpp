#include "app/CliGate.h"

#include "dialogs/PasswordGate.h"
#include "platform/Environment.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace ravelt {

namespace {

// Reads one line from the terminal with echo off, after the prompt; false when standard
// input is not a terminal (a script must then use RAVELT_PASSWORD).
bool readHidden(std::string& out, std::ostream& prompt)
{
    if (!isatty(STDIN_FILENO))
        return false;
    prompt << "Password Direzione: " << std::flush;
    termios old{};
    tcgetattr(STDIN_FILENO, &old);
    termios quiet = old;
    quiet.c_lflag &= ~ECHO;
    tcsetattr(STDIN_FILENO, TCSANOW, &quiet);
    std::getline(std::cin, out);
    tcsetattr(STDIN_FILENO, TCSANOW, &old);
    prompt << "\n";
    return true;
}

}

void cliGate(ProgramState& state, std::ostream& err)
{
    if (decideGate(state.CodiceAssistenza, state.PasswordDirezione, state.PasswordDigitata) == GateDecision::Grant) {
        state.AccessoConsentito = "S";
        return;
    }
    std::string entry;
    if (const auto env = SystemEnvironment().get("RAVELT_PASSWORD")) {
        entry = *env;
    } else if (!readHidden(entry, err)) {
        err << "Direzione: è richiesta la password della direzione (terminale o variabile RAVELT_PASSWORD)\n";
        state.AccessoConsentito = "N";
        return;
    }
    state.AccessoConsentito = checkPassword(entry, state.PasswordDirezione, state.ValoreControllo);
}

}
