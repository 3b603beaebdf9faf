#include "output/TestoEditor.h"
#include "output/RigheReport.h"
#include "platform/Cp1252.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

TEST(TestoEditorInCp1252, EveryByteOfTheCodePageComesBack)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n')
            all += static_cast<char>(b);
    EXPECT_EQ(TestoEditorInCp1252(fromCp1252(all)), all);
}

TEST(TestoEditorInCp1252, LineEndsBecomeCrLf)
{
    struct Case {
        const char* name;
        std::string utf8;
        std::string bytes;
    } cases[] = {
        {"line feeds", "a\nb\n", "a\r\nb\r\n"},
        {"cr lf stays one line end", "a\r\nb", "a\r\nb"},
        {"paragraph and line separators", "a\u2029b\u2028c", "a\r\nb\r\nc"},
        {"lone carriage return is a character", "a\rb", "a\rb"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TestoEditorInCp1252(c.utf8), c.bytes) << c.name;
}

TEST(TestoEditorInCp1252, CharacterOutsideTheCodePageIsNamedWithItsPlace)
{
    struct Case {
        std::string utf8;
        char32_t ch;
        int riga, colonna;
    } cases[] = {
        {"riga uno\nprezzo \u20b9 10", 0x20B9, 2, 8},
        {"\u4e2d", 0x4E2D, 1, 1},
        {"ok\n\nxx\U0001F600", 0x1F600, 3, 3},
        {"\u0085", 0x85, 1, 1},
    };
    for (const auto& c : cases) {
        try {
            TestoEditorInCp1252(c.utf8);
            ADD_FAILURE() << "accepted " << c.utf8;
        } catch (const CarattereNonRappresentabile& e) {
            EXPECT_EQ(e.carattere(), c.ch);
            EXPECT_EQ(e.riga(), c.riga);
            EXPECT_EQ(e.colonna(), c.colonna);
            EXPECT_NE(std::string(e.what()).find("riga " + std::to_string(c.riga)), std::string::npos) << e.what();
        }
    }
    EXPECT_THROW(TestoEditorInCp1252("a\xff"), std::invalid_argument);
}

TEST(DividiRighe, LineEnds)
{
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"cr lf", "a\r\nb\r\n", {"a", "b"}},
        {"last line without its end", "a\r\nb", {"a", "b"}},
        {"empty lines kept", "\r\n\r\nx\r\n", {"", "", "x"}},
        {"line feed alone", "a\nb\n", {"a", "b"}},
        {"carriage return alone is part of the line", "a\rb\r\n", {"a\rb"}},
        {"empty file", "", {}},
        {"page break with and without its line end", "\f\r\n\f", {"\f", "\f"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DividiRighe(c.bytes), c.lines) << c.name;
}

}
