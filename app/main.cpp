#include "app/CommandLine.h"
#include "app/GuiMain.h"

#include <iostream>
#include <string>
#include <unistd.h>
#include <vector>

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return ravelt::runGui(argc, argv, std::nullopt);
    if (auto folder = ravelt::windowFolder(args))
        return ravelt::runGui(1, argv, folder);
    const ravelt::CommandStreams io{std::cout, std::cerr, isatty(STDERR_FILENO) != 0};
    // The program's state for this run of a command without windows.
    ravelt::ProgramState state;
    const int code = ravelt::runCommandLine(args, io, state);
    std::cout.flush();
    return code;
}
