#pragma once
#include <optional>
#include <string>

namespace ravelt {

// The desktop program: the main window with the real dialogs, column setup and report
// run wired into it, in 'folder' when one is given (--folder), otherwise in the folder
// WorkingFolder chooses, asking the operator with a folder chooser when it cannot.
// Returns the program's exit code: 2 when the given folder cannot be used (after a
// message), 1 when no folder was chosen or the window would not open.
int runGui(int argc, char** argv, const std::optional<std::string>& folder);

}
