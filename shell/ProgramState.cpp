#include "shell/program_state.h"

namespace ravelt {

ProgramState& programState()
{
    static ProgramState state;
    return state;
}

}
