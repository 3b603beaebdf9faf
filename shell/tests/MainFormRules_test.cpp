#include "shell/MainFormRules.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

std::array<std::int16_t, 13> monthTable()
{
    return {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}

}

TEST(dateFieldEnter, CleansExpandsChecksAndMovesOn)
{
    struct Case {
        int index;
        std::string text0, text1;
        std::string text;
        FocusTarget focus;
    } cases[] = {
        {0, "010125", "", "01/01/2025", FocusTarget::Text1_1},
        {0, "010124", "", "01/01/2024", FocusTarget::Text1_1},
        {0, "311299", "", "31/12/1999", FocusTarget::Text1_1},
        {0, " 01012025 ", "", "01/01/2025", FocusTarget::Text1_1},
        {0, "01/01/2025", "", "01/01/2025", FocusTarget::Text1_1},
        {0, "290224", "", "29/02/2024", FocusTarget::Text1_1},
        {0, "29021900", "", "29/02/1900", FocusTarget::Text1_1},
        {0, "300224", "", "", FocusTarget::Text1_0},     // 30/02/2024: emptied, focus stays
        {0, "", "", "", FocusTarget::Text1_0},
        {0, "oggi", "", "", FocusTarget::Text1_0},
        {0, "1/1/25", "", "", FocusTarget::Text1_0},
        {1, "01/01/2025", "310125", "31/01/2025", FocusTarget::Tasto0},
        {1, "01/01/2025", "010125", "01/01/2025", FocusTarget::Tasto0},   // equal dates
        {1, "01/02/2025", "010125", "01/01/2025", FocusTarget::Text1_0},  // end before start: back, kept
        {1, "01/01/2025", "320125", "", FocusTarget::Text1_1},
        {1, "", "010125", "01/01/2025", FocusTarget::Tasto0},  // an empty start is not later than anything
    };
    for (const auto& c : cases) {
        auto months = monthTable();
        DateEnterResult r = dateFieldEnter(c.index, c.text0, c.text1, months);
        EXPECT_EQ(r.text, c.text) << c.index << ": '" << c.text0 << "' '" << c.text1 << "'";
        EXPECT_EQ(r.focus, c.focus) << c.index << ": '" << c.text0 << "' '" << c.text1 << "'";
    }
}

TEST(checkPeriod, NeedsTwoValidDatesInOrder)
{
    struct Case {
        std::string dal, al;
        bool ok;
        FocusTarget focus;
        std::string fragment;
    } cases[] = {
        {"01/01/2025", "31/01/2025", true, FocusTarget::Text1_0, ""},
        {"01/01/2025", "01/01/2025", true, FocusTarget::Text1_0, ""},
        {"", "31/01/2025", false, FocusTarget::Text1_0, "data iniziale valida"},
        {"30/02/2025", "31/03/2025", false, FocusTarget::Text1_0, "data iniziale valida"},
        {"01/01/2025", "", false, FocusTarget::Text1_1, "data finale valida"},
        {"01/01/2025", "010225", false, FocusTarget::Text1_1, "data finale valida"},  // not expanded yet
        {"02/01/2025", "01/01/2025", false, FocusTarget::Text1_0, "successiva"},
        // written as the report run reads dates: digits and slashes only
        {"01/ 1/2025", "31/01/2025", false, FocusTarget::Text1_0, "data iniziale valida"},
        {"01/01/2025", "31-01-2025", false, FocusTarget::Text1_1, "data finale valida"},
        {"+1/01/2025", "31/01/2025", false, FocusTarget::Text1_0, "data iniziale valida"},
        // at most a hundred years: up to the day before the start's day a hundred years on
        {"01/01/2000", "31/12/2099", true, FocusTarget::Text1_0, ""},
        {"01/01/2000", "01/01/2100", false, FocusTarget::Text1_1, "anteriore al 01/01/2100"},
        {"15/06/1950", "14/06/2050", true, FocusTarget::Text1_0, ""},
        {"15/06/1950", "15/06/2050", false, FocusTarget::Text1_1, "non può superare i 100 anni"},
        {"29/02/2000", "28/02/2100", true, FocusTarget::Text1_0, ""},
        {"29/02/2000", "29/02/2100", false, FocusTarget::Text1_1, "anteriore al 29/02/2100"},
        {"01/01/1900", "31/12/9999", false, FocusTarget::Text1_1, "anteriore al 01/01/2000"},
    };
    for (const auto& c : cases) {
        auto months = monthTable();
        PeriodCheck r = checkPeriod(c.dal, c.al, months);
        EXPECT_EQ(r.ok, c.ok) << c.dal << " - " << c.al;
        if (!c.ok) {
            EXPECT_EQ(r.focus, c.focus) << c.dal << " - " << c.al;
            EXPECT_NE(r.message.find(c.fragment), std::string::npos) << r.message;
        }
    }
}

TEST(parseWholeNumber, BlanksAroundAllowedAnythingElseRefused)
{
    struct Case {
        std::string text;
        long long lo, hi;
        std::optional<long long> value;
    } cases[] = {
        {"5", 0, 10, 5}, {" 5", 0, 10, 5}, {"5 ", 0, 10, 5}, {"  5  ", 0, 10, 5}, {"+5", 0, 10, 5}, {"-0", 0, 10, 0},
        {"0", 1, 10, std::nullopt}, {"11", 1, 10, std::nullopt}, {"-1", 0, 10, std::nullopt},
        {"2147483647", 0, 2147483647, 2147483647}, {"2147483648", 0, 2147483647, std::nullopt},
        {"99999999999999999999", 0, 2147483647, std::nullopt}, {std::string(100000, '0') + "7", 0, 10, 7},
        {"\t5", 0, 10, std::nullopt}, {"5\n", 0, 10, std::nullopt}, {"5 5", 0, 10, std::nullopt},
        {"0x5", 0, 10, std::nullopt}, {"5e0", 0, 10, std::nullopt}, {"5,0", 0, 10, std::nullopt}, {"", 0, 10, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseWholeNumber(c.text, c.lo, c.hi), c.value) << "'" << c.text.substr(0, 20) << "'";
}

TEST(parseInt16, WholeNumbersInSixteenBits)
{
    struct Case {
        std::string text;
        std::optional<std::int16_t> value;
    } cases[] = {
        {"1", 1}, {"0", 0}, {" 12 ", 12}, {"-5", -5}, {"+7", 7},
        {"32767", 32767}, {"-32768", -32768},
        {"32768", std::nullopt}, {"70000", std::nullopt}, {"-32769", std::nullopt},
        {"abc", std::nullopt}, {"", std::nullopt}, {"   ", std::nullopt},
        {"1.5", std::nullopt}, {"1,5", std::nullopt}, {"12a", std::nullopt},
        {"+-5", std::nullopt}, {"--5", std::nullopt}, {"+", std::nullopt}, {"1 2", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseInt16(c.text), c.value) << "'" << c.text << "'";
}
