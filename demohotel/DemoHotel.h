#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

namespace ravelt {

class StoreLocation;

// What a demo working folder is made of.
struct DemoOptions {
    int days = 365;            // days of business, starting at 'from'
    int fromYear = 2026, fromMonth = 1, fromDay = 1;
    std::uint64_t seed = 1;    // same seed and options, same data, byte for byte
    int rooms = 60;            // hotel size; payments grow with it (a year of 300 rooms: about 150,000)
    std::string supportCode = "AB";  // hotel 1's CodiceAssistenza; without "^" or "P" no password is asked
    bool databaseFile = false;  // stores on a server: the folder gets Database.txt naming it
};

// Counts of what was written, for the caller to print.
struct DemoSummary {
    long documents = 0;
    long payments = 0;          // Incassi rows, external entries included
    long externalEntries = 0;
    long presenceRows = 0;      // Dettaglio rows, of every Tipo
};

// Creates every store of the suite where the folder keeps its stores (StoreLocation::of:
// its SQLite files, or the server it names) and fills it with a consistent, seeded demo
// hotel, with the printer settings and text files the output side reads in 'folder', and
// the print definition of the column list with a saved filter for it.
// Options out of range raise std::invalid_argument; a folder that already holds any of
// the files, or a server that already holds any of the stores, raises
// std::runtime_error naming them. In those cases nothing is written.
// A failure while writing takes back what this call had written, files and stores, so
// the folder and the server are left as they were found.
DemoSummary createDemoHotel(const std::filesystem::path& folder, const DemoOptions& options);
// The same with the stores where 'where' says and the files in its folder. On a server
// each store is made, filled and committed in one transaction, so that it appears whole
// or not at all; with options.databaseFile the folder also gets Database.txt naming the
// server (see writeDatabaseFile), so that it finds its stores without the environment.
DemoSummary createDemoHotel(const StoreLocation& where, const DemoOptions& options);

}
