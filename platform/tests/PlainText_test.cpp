#include "platform/PlainText.h"

#include <gtest/gtest.h>

using namespace ravelt;

// The two trims differ only on the tab: the settings files drop it, the suite's Trim
// keeps it, so that "\t5" typed as a counter stays no number.
TEST(PlainText, TrimsTakeBlanksOrSpacesOffTheEndsOnly)
{
    struct Case {
        std::string text, blanks, spaces;
    } cases[] = {
        {"", "", ""},
        {"   ", "", ""},
        {" \t a b \t ", "a b", "\t a b \t"},
        {"\tx", "x", "\tx"},
        {"a\r", "a\r", "a\r"},             // a line end is not a blank
        {"\xc2\xa0x\xc2\xa0", "\xc2\xa0x\xc2\xa0", "\xc2\xa0x\xc2\xa0"},  // nor is a no-break space
        {std::string("a\0 ", 3), std::string("a\0", 2), std::string("a\0", 2)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trimBlanks(c.text), c.blanks) << c.text;
        EXPECT_EQ(trimSpaces(c.text), c.spaces) << c.text;
    }
}

// Folding in ASCII keeps every byte of an accented letter, whatever the C locale says.
TEST(PlainText, CaseFoldsAsciiLettersAndKeepsEveryOtherByte)
{
    EXPECT_EQ(lowerAscii("Fatture.MDB"), "fatture.mdb");
    EXPECT_EQ(upperAscii("smallint(5)"), "SMALLINT(5)");
    EXPECT_EQ(lowerAscii("CITT\xc3\x80 @[`{"), "citt\xc3\x80 @[`{");
    EXPECT_EQ(upperAscii("citt\xc3\xa0 @[`{"), "CITT\xc3\xa0 @[`{");
    for (int b = 0x80; b < 0x100; ++b) {
        const char c = static_cast<char>(b);
        EXPECT_EQ(lowerAscii(c), c) << b;
        EXPECT_EQ(upperAscii(std::string(1, c)), std::string(1, c)) << b;
    }
}
