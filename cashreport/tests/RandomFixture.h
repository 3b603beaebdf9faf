#pragma once
#include <cstdint>
#include <filesystem>

namespace ravelt::testing {

// Creates the stores of a random working folder: documents, payments, external entries,
// columns and counts over the days 26/02/2024 to 05/03/2024, mixing every value the
// column amounts tell apart (document types in other letter cases and with apostrophes,
// cancelled and marked documents, numbers shared by several documents, payments on other
// days and counters, codes listed twice or in several columns, numeric codes, Null and
// zero amounts, odd dates). The same seed gives the same folder.
void createRandomFixture(const std::filesystem::path& folder, std::uint64_t seed);

}
