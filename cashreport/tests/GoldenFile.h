#pragma once
#include <gtest/gtest.h>
#include <string>

namespace ravelt::testing {

// Compares report bytes with the golden file of that name under tests/data. On a
// difference it lists the differing lines (CR LF separated) with their numbers, bytes
// outside printable ASCII written as \xNN, and the first differing byte of each.
::testing::AssertionResult matchesGolden(const std::string& actual, const std::string& goldenName);

// A byte string made readable: printable ASCII as is, every other byte as \xNN.
std::string visibleBytes(const std::string& bytes);

}
