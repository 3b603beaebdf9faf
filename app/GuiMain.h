#pragma once

namespace ravelt {

// The desktop program: the main window in the current folder, with the real dialogs,
// column setup and report run wired into it. Returns the program's exit code.
int runGui(int argc, char** argv);

}
