#pragma once
#include <filesystem>
#include <string>

namespace ravelt {

// Where a store named as the suite names it ("Fatture.mdb") lives: the SQLite file of
// the same base name with the extension .sqlite ("Fatture.sqlite") in the given folder.
// This is the only place that knows the mapping; every other part keeps the .mdb names.
std::filesystem::path storePath(const std::filesystem::path& folder, const std::string& mdbName);

// True when the store's file exists in the folder.
bool storeExists(const std::filesystem::path& folder, const std::string& mdbName);

}
