#pragma once
#include "shell/program_state.h"
#include "app/CommandStreams.h"
#include "app/CommandSyntax.h"

namespace ravelt {

// "ravelt migrate --to CONNINFO [--replace]": copies every store of the working folder's
// SQLite files onto the server (see migrateStores), each in one transaction, and writes
// on 'io.out' one line for each store copied and a total, naming the server as
// host:port/database only. It leaves Database.txt alone: the folder keeps using its
// files until the operator names the server there. Throws ArgumentError for an empty
// connection string; returns 0 when every store is copied; a failure (a server that
// holds the stores already, without --replace, among them) goes to the caller as an
// exception whose message tells what the server holds.
int commandMigrate(const ParsedArguments& args, const CommandStreams& io, ProgramState& state);

}
