#include "dialogs/PasswordGate.h"

#include <gtest/gtest.h>

using namespace ravelt;

TEST(decideGate, ByCaretAndCapitalP)
{
    struct Case {
        std::string codice, password;
        GateDecision decision;
    } cases[] = {
        {"AB", "", GateDecision::Grant},
        {"AB", "ABC", GateDecision::Grant},   // no letters: the password does not matter
        {"", "ABC", GateDecision::Grant},
        {"^", "", GateDecision::Grant},       // no stored password
        {"^P", "", GateDecision::Grant},
        {"^", "ABC", GateDecision::Ask},
        {"P^", "ABC", GateDecision::Ask},
        {"P", "", GateDecision::Ask},         // "P" alone always asks
        {"P", "ABC", GateDecision::Ask},
        {"p", "ABC", GateDecision::Grant},    // exact case: "p" is not "P"
        {"xpx", "", GateDecision::Grant},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decideGate(c.codice, c.password, ""), c.decision) << c.codice << " / " << c.password;
}

TEST(checkPassword, FilteredEntryMustMatchPasswordAndCheckValue)
{
    struct Case {
        std::string entry, stored;
        std::int32_t check;
        std::string result, filtered;
    } cases[] = {
        {"ABC", "ABC", 1404, "S", "ABC"},
        {"  abc  ", "ABC", 1404, "S", "ABC"},   // lower case with blanks around it
        {"ABC", "ABC", 1405, "N", "ABC"},       // check value changed by one: an edited file
        {"ABD", "ABC", 1404, "N", "ABD"},
        {"", "", 0, "N", " "},                  // an empty entry becomes one blank: no match
        {"   ", "", 0, "N", " "},
        {"l'hotel", "L\u00B4HOTEL", 4494, "S", "L\u00B4HOTEL"},  // the apostrophe as stored
        {"caffè", "CAFFÈ", 3334, "S", "CAFFÈ"},
    };
    for (const auto& c : cases) {
        std::string entry = c.entry;
        EXPECT_EQ(checkPassword(entry, c.stored, c.check), c.result) << "'" << c.entry << "'";
        EXPECT_EQ(entry, c.filtered) << "'" << c.entry << "'";
    }
}
