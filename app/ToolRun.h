#pragma once
#include <string>
#include <vector>

namespace ravelt {

// What a system tool run by runTool did.
struct ToolRun {
    bool started = false;  // false: the program could not be started (not installed...)
    int exitCode = -1;     // its exit code; -1 when it did not end by itself (a signal)
    std::string out;       // its standard output
    std::string err;       // its standard error, or why it could not be started

    bool succeeded() const { return started && exitCode == 0; }
};

// Runs a system tool (systemctl, systemd-analyze) found on PATH with the given
// arguments, no shell in between, standard input from /dev/null and the process's
// environment; waits for it and collects both its output streams. Never throws for the
// tool's own failure: 'started' and 'exitCode' tell it.
ToolRun runTool(const std::vector<std::string>& argv);

}
