#pragma once
#include <cstdint>
#include <filesystem>

namespace ravelt {

// What a demo working folder is made of.
struct DemoOptions {
    int days = 365;            // days of business, starting at 'from'
    int fromYear = 2026, fromMonth = 1, fromDay = 1;
    std::uint64_t seed = 1;    // same seed and options, same data, byte for byte
    int rooms = 60;            // hotel size; payments grow with it
};

// Counts of what was written, for the caller to print.
struct DemoSummary {
    long documents = 0;
    long payments = 0;          // Incassi rows, external entries included
    long externalEntries = 0;
    long presenceRows = 0;
};

// Creates every store of the suite in 'folder' (which must not hold them already) and
// fills it with a consistent, seeded demo hotel.
DemoSummary createDemoHotel(const std::filesystem::path& folder, const DemoOptions& options);

}
