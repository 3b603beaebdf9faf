#include "app/Workstation.h"

#include "app/CliGate.h"
#include "app/StreamMessages.h"
#include "platform/Environment.h"
#include "shell/StartupSequence.h"

#include <filesystem>

namespace ravelt {

bool openWorkstation(ProgramState& state, const CommandStreams& io)
{
    static SystemEnvironment env;
    StreamMessages messages(io.err);
    StartupSequence startup(state, std::filesystem::current_path(), env, &messages, [&] { cliGate(state, io.err); });
    if (!startup.load())
        return false;
    return startup.activate();
}

}
