#pragma once
#include "shell/program_state.h"
#include "app/CommandStreams.h"
#include "app/CommandSyntax.h"

namespace ravelt {

// "ravelt demo CARTELLA": a demo working folder with a seeded hotel, made in the folder
// CARTELLA (created when missing), its stores on the server of --database (the folder
// then gets Database.txt naming it) or where the folder would look for them. Throws
// ArgumentError for a number, a date, a folder name or a connection string that cannot
// be used; returns 0 with a summary of what was written on 'io.out'.
int commandDemo(const ParsedArguments& args, const CommandStreams& io, ProgramState& state);

}
