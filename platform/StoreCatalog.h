#pragma once
#include <filesystem>
#include <string>

namespace ravelt {

class StoreLocation;

// Where a store named as the suite names it ("Fatture.mdb") lives: the SQLite file of
// the same base name with the extension .sqlite ("Fatture.sqlite") in the given folder,
// or, when the folder names a server, the schema schemaOf() gives there (StoreLocation).
// This is the only place that knows the mapping; every other part keeps the .mdb names.
std::filesystem::path storePath(const std::filesystem::path& folder, const std::string& mdbName);

// True when the store is there: its file in the folder, or its schema on the folder's
// server. A server that cannot be reached raises DbError naming it.
bool storeExists(const std::filesystem::path& folder, const std::string& mdbName);
bool storeExists(const StoreLocation& where, const std::string& mdbName);

}
