#include "output/ConvertiXLS.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

TEST(RigaCsv, FramesAmountsAndDashes)
{
    const SeparatoreXLS def;
    SeparatoreXLS semicolon;
    semicolon.separatore = ";";
    semicolon.decimale = ",";
    semicolon.valuta = "";
    struct Case {
        const char* name;
        std::string line;
        const SeparatoreXLS& s;
        std::string row;
    } cases[] = {
        {"day row with a date and an amount", "\xb3" "01/03/2024\xb3" "  1.234,56\xb3", def, ",01/03/2024, \x80" "1234.56,"},
        {"top rule", "\xda\xc4\xc2\xc4\xbf", def, ", , ,"},
        {"right tee ends the line: separator", "\xc3\xc4\xc5\xc4\xb4", def, ", , ,"},
        {"right tee inside the line: blank", "a\xb4" "b", def, "a b"},
        {"lower rule", "\xc0\xc4\xc4\xc1\xc4\xd9", def, ",  , ,"},
        {"vertical bars and plus signs", "|a+b|", def, ",a,b,"},
        {"dash between letters becomes a blank", "Rossi-Bianchi", def, "Rossi Bianchi"},
        {"minus before a digit stays", "\xb3  -152,16\xb3", def, ", \x80-152.16,"},
        {"one decimal only: the comma is a blank", "\xb3 12,5\xb3", def, ", 12 5,"},
        {"comma at the start of the line", ",12", def, " 12"},
        {"point in text is kept", "Tot. 3.5 e 1.23", def, "Tot. 3.5 e 123"},
        {"semicolon, decimal comma, no currency", "\xb3  1.234,56\xb3", semicolon, ";  1234,56;"},
        {"amount filling its cell: the mark goes at the field's start", "\xb3  2.916,16\xb3" "123.456,78\xb3", def,
         ", \x80" "2916.16,\x80" "123456.78,"},
        {"no blank and no currency: nothing is inserted", "\xb3" "12,50", semicolon, ";12,50"},
        {"accented letters keep their bytes", "citt\xe0 \xe8 \xe7 \xc8", def, "citt\xe0 \xe8 \xe7 \xc8"},
        {"capital A grave is byte 192, a frame corner", "CITT\xc0", def, "CITT,"},
        {"a page-break line is copied", "\f", def, "\f"},
        {"empty line", "", def, ""},
        {"converted frames of a saved preview", "|01/03/2024|  1.234,56|", def, ",01/03/2024, \x80" "1234.56,"},
        {"converted lower rule: corners stay letters", "\xe0-----\xf9", def, "\xe0     \xf9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RigaCsv(c.line, c.s), c.row) << c.name;
}

TEST(LeggiSeparatoreXLS, DefaultsAndFileLines)
{
    ravelt::testing::TempFolder dir;
    struct Case {
        const char* name;
        const char* file;  // nullptr: no file
        std::string sep, dec, cur;
    } cases[] = {
        {"no file", nullptr, ",", ".", "\x80"},
        {"three lines", ";\r\n,\r\n\r\n", ";", ",", ""},
        {"whole lines, blanks kept", " ; \r\n.\r\nEUR\r\n", " ; ", ".", "EUR"},
        {"one line: the others keep their defaults", "\t\r\n", "\t", ".", "\x80"},
        {"two lines, last without its line end", ";\n,", ";", ",", "\x80"},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(dir / "SeparatoreXLS.txt");
        if (c.file)
            dir.write("SeparatoreXLS.txt", c.file);
        SeparatoreXLS s = LeggiSeparatoreXLS(dir.path());
        EXPECT_EQ(s.separatore, c.sep) << c.name;
        EXPECT_EQ(s.decimale, c.dec) << c.name;
        EXPECT_EQ(s.valuta, c.cur) << c.name;
    }
}

TEST(ConvertiXLS, OneRowPerLineWithCrLf)
{
    ravelt::testing::TempFolder dir;
    dir.write("FD7", "Hotel\r\n\xda\xc4\xbf\r\n\r\n\f\r\n\xb3 1,00\xb3");
    ConvertiXLS(dir / "FD7", dir / NomeFileCsv(7), SeparatoreXLS{});
    EXPECT_EQ(NomeFileCsv(7), "fd7.csv");
    EXPECT_EQ(dir.read("fd7.csv"), "Hotel\r\n, ,\r\n\r\n\f\r\n,\x80" "1.00,\r\n");
}

TEST(ConvertiXLS, MissingReportIsAnErrorAndLeavesTheCsvAlone)
{
    ravelt::testing::TempFolder dir;
    dir.write("fd7.csv", "prima");
    EXPECT_THROW(ConvertiXLS(dir / "FD7", dir / "fd7.csv", SeparatoreXLS{}), std::runtime_error);
    EXPECT_EQ(dir.read("fd7.csv"), "prima");
    dir.write("FD7", "x\r\n");
    EXPECT_THROW(ConvertiXLS(dir / "FD7", dir / "manca" / "fd7.csv", SeparatoreXLS{}), std::runtime_error);
}

}
