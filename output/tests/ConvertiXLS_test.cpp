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
    SeparatoreXLS blankMark;
    blankMark.valuta = " ";
    SeparatoreXLS blankDecimal;
    blankDecimal.decimale = " . ";
    SeparatoreXLS noCurrency;
    noCurrency.valuta = "";
    SeparatoreXLS blankSeparator;
    blankSeparator.separatore = " ; ";
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
        // where the currency mark goes when the field's blanks run out or are marks
        // themselves, and when the settings hold blanks of their own
        {"amounts without blanks: one mark each at the field's start", "\xb3" "1,231,231,23", def,
         ",\x80\x80\x80" "1.231.231.23"},
        {"a blank mark put at the start serves the later amounts", "\xb3" "1,231,23", blankMark, ", 1.231.23"},
        {"a blank mark leaves every blank a blank", "\xb3" "1,23 4,56 7,89", blankMark, ", 1.23 4.56 7.89"},
        {"blanks of the decimal separator count", "\xb3 1,234,56", blankDecimal, ",\x80" "1 .\x80" "234 . 56"},
        {"two amounts in a field, one after a separator", "\xb3 1,23 4,56\xb3" "7,89", def,
         ",\x80" "1.23\x80" "4.56,\x80" "7.89"},
        {"no currency and no blank: nothing is put", "\xb3" "1,23 4,56", noCurrency, ",1.23 4.56"},
        {"blanks of the separator belong to no field", "\xb3" "1,23\xb3 4,56", blankSeparator,
         " ; \x80" "1.23 ; \x80" "4.56"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RigaCsv(c.line, c.s), c.row) << c.name;
}

// Ten-megabyte lines: each character is looked at once (the search for the blank and
// the mark put at the field's start once went back over the whole field every time).
TEST(RigaCsv, TenMegabyteLines)
{
    const SeparatoreXLS def;
    auto repeated = [](const std::string& piece, size_t times) {
        std::string t;
        t.reserve(piece.size() * times);
        for (size_t i = 0; i < times; ++i)
            t += piece;
        return t;
    };
    const size_t k = 2'500'000;
    struct Case {
        const char* name;
        std::string line;
        std::string row;
    } cases[] = {
        {"amounts without a blank", "\xb3" + repeated("1,23", k), "," + std::string(k, '\x80') + repeated("1.23", k)},
        {"framed amounts", "\xb3" + repeated(" 1.234,56\xb3", k / 2), "," + repeated("\x80" "1234.56,", k / 2)},
        {"one long word", repeated("Rossi-Bianchi ", k), repeated("Rossi Bianchi ", k)},
    };
    for (const auto& c : cases) {
        const std::string row = RigaCsv(c.line, def);
        EXPECT_TRUE(row == c.row) << c.name << ": a row of " << row.size() << " bytes instead of " << c.row.size();
    }
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

// A line of SeparatoreXLS.txt that says nothing usable keeps its default and is told.
TEST(LeggiSeparatoreXLS, LinesThatSayNothingUsableAreTold)
{
    struct Avviso {
        int riga;
        std::string testo;
    };
    struct Case {
        const char* name;
        const char* file;
        std::string sep, dec, cur;
        std::vector<Avviso> avvisi;
    } cases[] = {
        {"three usable lines", ";\r\n,\r\n\r\n", ";", ",", "", {}},
        {"an empty file", "", ",", ".", "\x80",
         {{0, "il file è vuoto: si usano il separatore dei campi \",\", quello dei decimali \".\" e la valuta \"€\""}}},
        {"one line", "\t\r\n", "\t", ".", "\x80",
         {{2, "manca: come separatore dei decimali si usa \".\""}, {3, "manca: come simbolo della valuta si usa \"€\""}}},
        {"an empty field separator", "\r\n;\r\nEUR\r\n", ",", ";", "EUR",
         {{1, "è vuota: come separatore dei campi si usa \",\""}}},
        {"an empty decimal separator", ";\r\n\r\nEUR\r\n", ";", ".", "EUR",
         {{2, "è vuota: come separatore dei decimali si usa \".\""}}},
        {"the decimal separator is the field separator", ",\r\n,\r\n$\r\n", ",", ".", "$",
         {{2, "\",\" è anche il separatore dei campi: come separatore dei decimali si usa \".\""}}},
        {"a point for fields takes the comma for decimals", ".\r\n.\r\n$\r\n", ".", ",", "$",
         {{2, "\".\" è anche il separatore dei campi: come separatore dei decimali si usa \",\""}}},
        {"a point for fields and no second line", ".\r\n", ".", ",", "\x80",
         {{2, "manca: come separatore dei decimali si usa \",\""}, {3, "manca: come simbolo della valuta si usa \"€\""}}},
    };
    for (const auto& c : cases) {
        ravelt::testing::TempFolder dir;
        dir.write("SeparatoreXLS.txt", c.file);
        AvvisiImpostazioni avvisi;
        SeparatoreXLS s = LeggiSeparatoreXLS(dir.path(), &avvisi);
        EXPECT_EQ(s.separatore, c.sep) << c.name;
        EXPECT_EQ(s.decimale, c.dec) << c.name;
        EXPECT_EQ(s.valuta, c.cur) << c.name;
        ASSERT_EQ(avvisi.elenco().size(), c.avvisi.size()) << c.name << ": " << AvvisiImpostazioni::Testo(avvisi.elenco());
        for (size_t i = 0; i < c.avvisi.size(); ++i)
            EXPECT_EQ(avvisi.elenco()[i], (AvvisoImpostazioni{"SeparatoreXLS.txt", c.avvisi[i].riga, c.avvisi[i].testo}))
                << c.name << ": " << avvisi.elenco()[i].messaggio();
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
