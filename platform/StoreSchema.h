#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace ravelt {

class Database;
class StoreLocation;

// The tables of the suite's stores that this module reads or writes, with the declared
// types the program reads back as field types, and the indexes the cash report's
// selections need (by day, by document number, and the two its one pass over a period
// reads: the payments by day and code, holding every field the pass reads but the
// note, and the documents by number, holding every field their search compares).
//
// createStore() creates one store (by its .mdb name) with all its tables and indexes;
// it raises DbError when the store exists already. The known stores are listed by
// knownStores().
void createStore(const std::filesystem::path& folder, const std::string& mdbName);
void createStore(const StoreLocation& where, const std::string& mdbName);
// Creates the tables and indexes of the known store the database is, in a store just
// created; raises DbError for a store the catalogue does not know.
void createStoreTables(Database& db);
const std::vector<std::string>& knownStores();

// Adds to a store of the catalogue the indexes of the catalogue it lacks, as a store made
// by an earlier version lacks those added since; its data are not touched. Returns how
// many it made. The indexes only make reads faster, and every read gives the same
// records without them: a store that cannot be changed now (read-only, or held by
// another workstation's transaction) is left as it is, and 0 is returned.
int addMissingIndexes(Database& db);

// Takes a store away whole: on a server its schema with every table in it, in a
// transaction of its own; otherwise its file, with the journal files SQLite may have
// left beside it, which would otherwise be applied to the next file of that name. A
// store that is not there is no error. Raises DbError when the server cannot be reached
// or refuses, std::runtime_error naming the file when it cannot be removed.
void dropStore(const StoreLocation& where, const std::string& mdbName);

// Creates the column store ColonneRavelt.mdb with its empty table when it is missing;
// does nothing to a store that exists. Returns true when it created it. With the store
// it writes the print definition of the column list, ColonneRavelt.stp, when the folder
// has none; a definition that is there (the suite's own) is never replaced.
bool CreaArchivioColonne(const std::filesystem::path& folder = std::filesystem::current_path());

// The print definition of the column list, as the bytes of ColonneRavelt.stp: the store
// ColonneRavelt.mdb, table ColonneRavelt, with the column number and the heading (each
// printed once for its column), the payment code and its description.
const std::string& DefinizioneStampaColonne();

}
