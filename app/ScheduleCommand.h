#pragma once
#include "app/CommandStreams.h"
#include "app/CommandSyntax.h"
#include "shell/program_state.h"

#include <vector>

namespace ravelt {

// The options of "ravelt schedule": --name, --at, --on, then the audit's own options
// (auditOptions), which a schedule passes on to the audit it runs.
std::vector<OptionSyntax> scheduleOptions();

// "ravelt schedule AZIONE": the night audit on a systemd user timer (see AuditSchedule).
//
//   add --name NOME --at HH:MM [--on GIORNI] [audit options]: writes the timer and the
//       service into the user's unit folder ($XDG_CONFIG_HOME/systemd/user) to run
//       "ravelt --folder <working folder> audit <options>" with this very executable;
//       when the user's service manager runs they are loaded and the timer started,
//       otherwise the commands that do it are told. A schedule of that name, or a
//       password file readable by others, is refused before anything is written.
//   list: each schedule with its calendar, folder, options and next run.
//   remove --name NOME: stops the timer (when a manager runs) and removes both units.
//
// Wrong arguments (action, name, time, days, audit values, an option the action does not
// take) raise ArgumentError before anything is written. Returns 0 when done; failures
// reach the caller as exceptions whose message tells what to do.
int commandSchedule(const ParsedArguments& args, const CommandStreams& io, ProgramState& state);

}
