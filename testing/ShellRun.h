#pragma once
#include <string>

namespace ravelt::testing {

// What a command line run by the shell left: its exit status (-1 when it did not exit
// normally), its standard output and its standard error, each read whole.
struct ShellOutcome {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the command line with /bin/sh, its standard input from /dev/null (no terminal, as
// a script or a timer runs a program), and waits for it.
ShellOutcome runShell(const std::string& commandLine);

// A word for a command line, quoted so that the shell keeps it whole as it is.
std::string shellQuoted(const std::string& word);

}
