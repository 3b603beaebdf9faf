#include "app/CommandLine.h"
#include "app/GuiMain.h"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2)
        return ravelt::runGui(argc, argv);
    const ravelt::CommandStreams io{std::cout, std::cerr, isatty(STDERR_FILENO) != 0};
    // The program's state for this run of a command without windows.
    ravelt::ProgramState state;
    const int code = ravelt::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), io, state);
    std::cout.flush();
    return code;
}
