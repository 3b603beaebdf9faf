#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

namespace ravelt {

// What a demo working folder is made of.
struct DemoOptions {
    int days = 365;            // days of business, starting at 'from'
    int fromYear = 2026, fromMonth = 1, fromDay = 1;
    std::uint64_t seed = 1;    // same seed and options, same data, byte for byte
    int rooms = 60;            // hotel size; payments grow with it (a year of 300 rooms: about 150,000)
    std::string supportCode = "AB";  // hotel 1's CodiceAssistenza; without "^" or "P" no password is asked
};

// Counts of what was written, for the caller to print.
struct DemoSummary {
    long documents = 0;
    long payments = 0;          // Incassi rows, external entries included
    long externalEntries = 0;
    long presenceRows = 0;      // Dettaglio rows, of every Tipo
};

// Creates every store of the suite in 'folder' (which must not hold them already) and
// fills it with a consistent, seeded demo hotel, with the printer settings and text
// files the output side reads, and the print definition of the column list with a
// saved filter for it.
// Options out of range raise std::invalid_argument; a folder that already holds any of
// the files raises std::runtime_error naming them. In both cases nothing is written.
// A failure while writing removes what this call had written, so the folder is left
// as it was found.
DemoSummary createDemoHotel(const std::filesystem::path& folder, const DemoOptions& options);

}
