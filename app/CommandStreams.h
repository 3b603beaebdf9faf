#pragma once
#include <ostream>

namespace ravelt {

// Where a command without windows writes: its results on 'out', its messages, warnings
// and the password prompt on 'err'. 'errIsTerminal' says that 'err' is a terminal, where
// a progress line may rewrite itself; a script's log gets only the outcome.
struct CommandStreams {
    std::ostream& out;
    std::ostream& err;
    bool errIsTerminal = false;
};

}
