#include "shell/FieldRoutines.h"
#include "shell/program_state.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

std::array<std::int16_t, 13> monthTable()
{
    return {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
}

}

TEST(FiltraCampo, FiltersByModeAndTrimsInPlace)
{
    struct Case {
        std::string testo;
        std::int16_t modo;
        std::string result;
        std::string trimmed;  // what testo holds afterwards
    } cases[] = {
        {"  l'hotel  ", 0, "L\u00B4HOTEL", "l'hotel"},
        {"O''Neil", 0, "O\u00B4\u00B4NEIL", "O''Neil"},
        {" a  b ", 0, "A  B", "a  b"},             // inner blanks stay
        {"", 0, " ", ""},
        {"    ", 0, " ", ""},
        {"", 1, "0", ""},
        {"   ", 2, "0", ""},
        {"àèìòù é", 0, "ÀÈÌÒÙ É", "àèìòù é"},     // accented letters upper-case too
        {"straße", 0, "STRAßE", "straße"},         // one character stays one character
        {"µ", 0, "µ", "µ"},                        // its upper case is outside code page 1252
        {"1.234,5", 1, "1234,5", "1.234,5"},       // the point is dropped
        {"-12a3", 1, "-123", "-12a3"},
        {"abc", 1, "0", "abc"},
        {"1'2", 1, "12", "1'2"},
        {"abc", 3, "0", "abc"},                    // unknown modes drop everything
        {"abc", -1, "0", "abc"},
        {" 12 ", 7, "0", "12"},
    };
    for (const auto& c : cases) {
        std::string testo = c.testo;
        EXPECT_EQ(FiltraCampo(testo, c.modo), c.result) << "'" << c.testo << "' mode " << c.modo;
        EXPECT_EQ(testo, c.trimmed) << "'" << c.testo << "' mode " << c.modo;
    }
}

TEST(FiltraCampo, GroupedModeRoundsWithDecimalComma)
{
    struct Case {
        std::string testo, result;
    } cases[] = {
        {"1234567", "1.234.567"},
        {"999", "999"},
        {"1000", "1.000"},
        {"1.234,5", "1.235"},          // point dropped, comma is the decimal separator
        {"1234,49", "1.234"},
        {"999,5", "1.000"},            // rounding carries into a new group
        {"-2,5", "-3"},                // halves away from zero
        {"-2,4", "-2"},
        {"-0,4", "0"},                 // no negative zero
        {",5", "1"},
        {"007", "7"},
        {"0", "0"},
        {"12345678901234567890", "12.345.678.901.234.567.890"},  // no precision lost
        {"1,2,3", "1,2,3"},            // not one number: kept as filtered, nothing lost
        {"5-", "5-"},
        {"-", "-"},
        {"EUR 1.500", "1.500"},
    };
    for (const auto& c : cases) {
        std::string testo = c.testo;
        EXPECT_EQ(FiltraCampo(testo, 2), c.result) << c.testo;
    }
}

TEST(EspandiData, ExpandsSixAndEightCharacters)
{
    struct Case {
        std::string testo, result;
    } cases[] = {
        {"241299", "24/12/1999"},
        {"241224", "24/12/2024"},
        {"010125", "01/01/2025"},
        {"010126", "01/01/2026"},      // the current year typed short
        {"311246", "31/12/2046"},      // twenty years ahead is still this century
        {"010147", "01/01/1947"},
        {"010100", "01/01/2000"},
        {"01012025", "01/01/2025"},
        {"1/1/25", "1/1/25"},          // six characters, but not a compact date
        {"1/125", "1/125"},            // five characters
        {"1/1/2025", "1/1/2025"},      // eight characters with slashes
        {"01/01/2025", "01/01/2025"},  // already expanded
        {"", ""},
        {"1234567", "1234567"},
        {"ab12cd", "ab/12/20cd"},      // no digit check: a non-number year reads as 0
        {"àà0199", "àà/01/1999"},      // positions count characters, not bytes
    };
    for (const auto& c : cases) {
        std::string testo = c.testo;
        EXPECT_EQ(EspandiData(testo, 2026), c.result) << c.testo;
        EXPECT_EQ(testo, c.result) << c.testo;
    }
}

TEST(EspandiData, TheCenturyWindowMovesWithTheCalendar)
{
    struct Case {
        int anno;
        std::string testo, result;
    } cases[] = {
        {2005, "010125", "01/01/2025"}, {2005, "010126", "01/01/1926"},  // twenty years ago: pivot 25
        {2030, "010150", "01/01/2050"}, {2030, "010151", "01/01/1951"},
        {2080, "010199", "01/01/2099"}, {2080, "010100", "01/01/2000"},
    };
    for (const auto& c : cases) {
        std::string testo = c.testo;
        EXPECT_EQ(EspandiData(testo, c.anno), c.result) << c.anno << " " << c.testo;
    }
}

TEST(ControllaData, AcceptsOnlyRealDatesFrom1900)
{
    struct Case {
        std::string data;
        std::int16_t result;
    } cases[] = {
        {"29/02/2000", 1}, {"29/02/1900", 1},  // no century rule
        {"29/02/2024", 1}, {"29/02/2023", 0}, {"30/02/2024", 0},
        {"31/04/2024", 0}, {"30/04/2024", 1}, {"31/12/2024", 1}, {"31/01/2024", 1},
        {"00/01/2024", 0}, {"32/01/2024", 0},
        {"01/13/2024", 0}, {"01/00/2024", 0},
        {"01/01/1899", 0}, {"01/01/1900", 1},
        {"1/01/2024", 0},                      // 9 characters
        {"01/01/20245", 0},                    // 11 characters
        {"", 0}, {" ", 0},
        {"01-01-2024", 1},                     // the separators are not examined
        {"aa/01/2024", 0},                     // a day that is not a number reads as 0
        {"01/01/abcd", 0},
        {"ì1/01/2024", 0},                     // 10 characters, day reads as 0
    };
    for (const auto& c : cases) {
        auto months = monthTable();
        std::string data = c.data;
        EXPECT_EQ(ControllaData(data, months), c.result) << c.data;
    }
}

TEST(ControllaData, StoresTrimmedTextOnlyAtTenCharacters)
{
    auto months = monthTable();
    std::string padded = "  01/01/2024  ";
    EXPECT_EQ(ControllaData(padded, months), 1);
    EXPECT_EQ(padded, "01/01/2024");

    std::string shortDate = " 1/1/2024 ";
    EXPECT_EQ(ControllaData(shortDate, months), 0);
    EXPECT_EQ(shortDate, " 1/1/2024 ");
}

TEST(ControllaData, RewritesFebruaryForTheYear)
{
    auto months = monthTable();
    std::string leap = "15/06/2024", common = "15/06/2023", badMonth = "15/13/2024";
    ControllaData(leap, months);
    EXPECT_EQ(months[2], 29);
    ControllaData(common, months);
    EXPECT_EQ(months[2], 28);
    ControllaData(badMonth, months);  // rejected before the table is touched
    EXPECT_EQ(months[2], 28);
    for (int m : {1, 3, 4, 12})
        EXPECT_EQ(months[m], monthTable()[m]);
}

TEST(ControllaData, RewritesFebruaryInTheProgramMonthTable)
{
    ProgramState state;
    state.GiorniMese = monthTable();
    std::string data = "29/02/2024";
    EXPECT_EQ(ControllaData(data, state.GiorniMese), 1);
    EXPECT_EQ(state.GiorniMese[2], 29);
}

TEST(ConfrontaDate, OneUnlessTheFirstIsLater)
{
    struct Case {
        std::string data1, data2;
        std::int16_t result;
    } cases[] = {
        {"31/12/2023", "01/01/2024", 1},
        {"02/01/2024", "01/01/2024", 0},
        {"01/01/2024", "01/01/2024", 1},
        {"01/02/2024", "31/01/2024", 0},  // month decides before day
        {"01/01/2025", "31/12/2024", 0},  // year decides before month
        {"31/12/2024", "01/01/2025", 1},
        {"", "01/01/2024", 1},            // empty reads as day 0 of year 0
        {"01/01/2024", "", 0},
    };
    for (const auto& c : cases) {
        std::string a = c.data1, b = c.data2;
        EXPECT_EQ(ConfrontaDate(a, b), c.result) << c.data1 << " vs " << c.data2;
    }
}

TEST(ConfrontaDate, CutsBothToTenCharacters)
{
    std::string a = "01/01/2024 mattina", b = "01/01/2024";
    EXPECT_EQ(ConfrontaDate(a, b), 1);
    EXPECT_EQ(a, "01/01/2024");
    EXPECT_EQ(b, "01/01/2024");
    std::string c = "01/01/2024" "9", d = "01/01/2024";
    EXPECT_EQ(ConfrontaDate(c, d), 1);  // the digit beyond the tenth is cut, not read into the year
}

TEST(Bisestile, DivisibleByFourWithoutCenturyRule)
{
    struct Case {
        std::int16_t anno;
        bool leap;
    } cases[] = {{2024, true}, {2023, false}, {2000, true}, {1900, true}, {2100, true}, {1901, false}, {0, true}};
    for (const auto& c : cases)
        EXPECT_EQ(Bisestile(c.anno), c.leap) << c.anno;
}
