#include "output/TogliAccenti.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

std::string bytes(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

// Every byte value against both conversions: the rule order decides the shared values.
TEST(TogliAccenti, EachByteByTheFirstMatchingRule)
{
    struct Case {
        int byte;
        int togli;
        int converti2;
    } cases[] = {
        {180, '|', '\''},  // acute accent / right tee: only Converti2 has the apostrophe rule
        {192, 0xE0, 0xE0}, // À, also the lower left corner: à, never '-'
        {200, 0xE8, 0xE8}, // È
        {201, 0xE9, 0xE9}, // É
        {204, 0xEC, 0xEC}, // Ì: ì, never '|'
        {217, 0xF9, 0xF9}, // Ù, also the lower right corner: ù
        {210, 0xF2, 0xF2}, // Ò
        {179, '|', '|'},   {183, '|', '|'}, {186, '|', '|'}, {195, '|', '|'},
        {187, '-', '-'},   {188, '-', '-'}, {191, '-', '-'}, {193, '-', '-'}, {194, '-', '-'},
        {196, '-', '-'},   {197, '-', '-'}, {202, '-', '-'}, {203, '-', '-'}, {206, '-', '-'},
        {218, '-', '-'},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TogliAccenti(bytes({c.byte})), bytes({c.togli})) << c.byte;
        EXPECT_EQ(Converti2(bytes({c.byte})), bytes({c.converti2})) << c.byte;
    }
}

TEST(TogliAccenti, OtherBytesAreKept)
{
    const std::string named = bytes({179, 180, 183, 186, 187, 188, 191, 192, 193, 194, 195, 196, 197,
                                     200, 201, 202, 203, 204, 206, 210, 217, 218});
    for (int b = 0; b < 256; ++b) {
        if (named.find(static_cast<char>(b)) != std::string::npos)
            continue;
        EXPECT_EQ(TogliAccenti(bytes({b})), bytes({b})) << b;
        EXPECT_EQ(Converti2(bytes({b})), bytes({b})) << b;
    }
}

TEST(TogliAccenti, FrameLinesOfTheReport)
{
    struct Case {
        const char* what;
        std::string line;
        std::string togli;
        std::string converti2;
    } cases[] = {
        {"row framed by verticals", bytes({179}) + "abc" + bytes({179}), "|abc|", "|abc|"},
        {"lower frame line", bytes({192, 196, 196, 196, 193, 196, 196, 196, 217}),
         bytes({0xE0}) + "-------" + bytes({0xF9}), bytes({0xE0}) + "-------" + bytes({0xF9})},
        {"separator ending in the right tee", bytes({195, 196, 197, 196, 180}), "|---|", "|---'"},
        {"top rule", bytes({218, 196, 194, 196, 191}), "-----", "-----"},
        // A form feed and the bytes NUL, CR, LF have no role in the conversion.
        {"control bytes", std::string("\f\r\n\0x", 5), std::string("\f\r\n\0x", 5), std::string("\f\r\n\0x", 5)},
        {"empty line", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(TogliAccenti(c.line), c.togli) << c.what;
        EXPECT_EQ(Converti2(c.line), c.converti2) << c.what;
        EXPECT_EQ(TogliAccenti(c.line).size(), c.line.size()) << c.what;
    }
}

}
