#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace ravelt {

class StoreLocation;

// What the copy of one store wrote on the server.
struct StoreCopy {
    std::string store;      // as the suite names it: "Fatture.mdb"
    long tables = 0;
    long rows = 0;
    bool replaced = false;  // the server held the store before and now holds the copy
};

// What a migration found and did, filled as it goes, so that a caller sees it after a
// failure too.
struct MigrationSummary {
    std::vector<std::string> present;  // the folder's stores the server already held
    std::vector<StoreCopy> copied;     // the stores committed on the server and left there, in order
    long tables() const;
    long rows() const;
};

// Copies every store of a working folder's SQLite files onto a server: every file
// Name.sqlite of the folder, as the store Name.mdb, in the order of the file names.
//
// Everything is checked before the server is written: a folder without a store, a file
// that is not a store, two files the server would hold in one schema (names that differ
// only in letter case), and, unless 'replace', a server that holds any of the stores
// (named in the message and in summary.present) raise an error and nothing is copied.
//
// Each store is copied in one transaction of the server: the store is created (with
// 'replace', the one there is dropped first within that transaction, so that others see
// the old store until the commit), its tables made (a known store's from the
// catalogue, with their indexes; any other table as the file declares it), every row
// written, then committed. The file is held against other writers while it is read,
// so the copy is the file at one moment; rows are read a page at a time, so memory
// does not grow with the store.
//
// Values are copied so that they read back the same: the program's values go exactly
// (amounts to the ten-thousandth, Nulls as Nulls, text byte for byte). A value the
// program cannot read (a text in a numeric field, a number beyond its field's range) or
// a text holding a NUL byte, which the server would change or refuse, stops the copy with
// a message naming the store, the table, the record and the field.
//
// On a failure half-way the store being copied stays on the server as it was, the
// stores this call had created are taken away again, and those it had already replaced
// keep their copy, whole; the message says which, and summary.copied lists what stays.
// Messages name the server as host:port/database, never with its password. Failures
// raise DbError, or std::runtime_error for the folder's files.
void migrateStores(const std::filesystem::path& folder, const StoreLocation& to, bool replace, MigrationSummary& summary);

}
