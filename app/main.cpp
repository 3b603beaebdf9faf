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
    const int code = ravelt::runCommandLine(std::vector<std::string>(argv + 1, argv + argc), io);
    std::cout.flush();
    return code;
}
