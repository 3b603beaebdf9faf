#pragma once
#include "cashreport/DocumentType.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace ravelt::testing {

// The days of the hand-made fixture, as the stores write them.
inline const std::string D1 = "20240228", D2 = "20240229", D3 = "20240301";

// Creates the stores of the hand-made fixture in the folder (see HandFixture.cpp for its
// rows and the amounts worked out from them) with the given support code in the hotel
// record.
void createHandFixture(const std::filesystem::path& folder, const std::string& codiceAssistenza);

// Rewrites the support code of hotel 1.
void setSupportCode(const std::filesystem::path& folder, const std::string& codiceAssistenza);

// One variant of the selection and the amounts it gives in cents: (day, column) ->
// amount, every other cell of a headed column being 0.
struct HandVariant {
    const char* name;
    DocumentType type;
    std::int16_t contatore;
    bool optionR;
    std::map<std::pair<std::string, int>, std::int64_t> cents;
};

// The worked-out variants: every type, counter 0 and 5, with and without option R.
const std::vector<HandVariant>& handVariants();

// The headed columns of the fixture.
inline const int HeadedColumns[] = {1, 2, 3, 6, 7, 8, 10};

}
