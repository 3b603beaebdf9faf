#pragma once
#include "shell/program_state.h"

#include <string>
#include <vector>

namespace ravelt {

// The commands without windows. Each works in the current folder, prints a clear message
// and returns non-zero on failure, and 0 when its work is done.
int commandDemo(const std::vector<std::string>& args);
// 'state' is the program's state, which the command fills by opening the working folder.
int commandReport(const std::vector<std::string>& args, ProgramState& state);
// print, csv and mail: the output side's work on the workstation's report file, after
// the same opening of the working folder and the same gate as the report.
int commandOnReportFile(const std::string& command, const std::vector<std::string>& args, ProgramState& state);

// Prints the usage to standard error and returns 2.
int usage();

}
