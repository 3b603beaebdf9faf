#include "app/CommandLine.h"
#include "app/GuiMain.h"
#include "app/TablePrintCommand.h"

#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc < 2)
        return ravelt::runGui(argc, argv);
    std::string command = argv[1];
    std::vector<std::string> args(argv + 2, argv + argc);
    // The program's state for this run of a command without windows.
    ravelt::ProgramState state;
    if (command == "demo")
        return ravelt::commandDemo(args);
    if (command == "report")
        return ravelt::commandReport(args, state);
    if (command == "table-print")
        return ravelt::commandTablePrint(args, state);
    if (command == "print" || command == "csv" || command == "mail")
        return ravelt::commandOnReportFile(command, args, state);
    return ravelt::usage();
}
