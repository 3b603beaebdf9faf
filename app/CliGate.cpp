#include "app/CliGate.h"

#include "dialogs/PasswordGate.h"
#include "platform/Environment.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <string>
#include <sys/stat.h>
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

// Reads the password from the first line of the file RAVELT_PASSWORD_FILE names, the way
// a scheduled run without a terminal gets it without a password in its unit. The file
// must be readable by its owner only, like the other files that may hold a password
// (Database.txt, Spedix.ini): one that others can read is refused, not used, so that the
// leak is told. False, with the reason on 'err', when it cannot be used.
bool readPasswordFile(const std::string& file, std::string& out, std::ostream& err)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st {};
    const bool opened = fd >= 0 && ::fstat(fd, &st) == 0;
    const int why = errno;
    std::string refusal;
    if (!opened)
        refusal = std::string("non si può leggere: ") + std::strerror(why);
    else if (!S_ISREG(st.st_mode))
        refusal = "non è un file";
    else if ((st.st_mode & 077) != 0)
        refusal = "possono leggerlo anche altri utenti: lo si renda leggibile solo dal suo proprietario (chmod 600 " +
                  file + ")";
    if (!refusal.empty()) {
        if (fd >= 0)
            ::close(fd);
        err << "Direzione: il file della password " << file << " (RAVELT_PASSWORD_FILE) " << refusal << "\n";
        return false;
    }
    std::string bytes;
    char buf[512];
    ssize_t n;
    while (bytes.size() < 4096 && (n = ::read(fd, buf, sizeof buf)) > 0)
        bytes.append(buf, static_cast<size_t>(n));
    ::close(fd);
    out = bytes.substr(0, bytes.find_first_of("\r\n"));
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
    } else if (const auto file = SystemEnvironment().get("RAVELT_PASSWORD_FILE")) {
        if (!readPasswordFile(*file, entry, err)) {
            state.AccessoConsentito = "N";
            return;
        }
    } else if (!readHidden(entry, err)) {
        err << "Direzione: è richiesta la password della direzione (terminale o variabile RAVELT_PASSWORD)\n";
        state.AccessoConsentito = "N";
        return;
    }
    state.AccessoConsentito = checkPassword(entry, state.PasswordDirezione, state.ValoreControllo);
}

}
