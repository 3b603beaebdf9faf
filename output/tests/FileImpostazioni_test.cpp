#include "output/FileImpostazioni.h"

#include "output/ImpostazioneNonValida.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

// FontStp.txt: a first line that names no font leaves the default and is told.
TEST(LeggiNomeFont, AFirstLineWithoutAFontNameIsTold)
{
    struct Caso {
        const char* cosa;
        const char* file;  // nullptr: no file
        std::string font;
        std::string avviso;  // "": none
    } casi[] = {
        {"no file", nullptr, "Courier New", ""},
        {"a name", "Arial\r\n", "Arial", ""},
        {"blanks around, later lines", "  Times New Roman \t\r\nArial\r\n", "Times New Roman", ""},
        {"code page bytes", "Garamond \xe8\r\n", "Garamond \xc3\xa8", ""},
        {"an empty file", "", "Courier New", "FontStp.txt, riga 1: manca, il file è vuoto: si stampa con il carattere Courier New"},
        {"a blank first line", "   \r\nArial\r\n", "Courier New", "FontStp.txt, riga 1: è vuota: si stampa con il carattere Courier New"},
        {"control characters", "Ari\x01" "al\r\n", "Courier New",
         "FontStp.txt, riga 1: \"Ari?al\" non è il nome di un carattere: si stampa con il carattere Courier New"},
    };
    for (const auto& c : casi) {
        ravelt::testing::TempFolder dir;
        if (c.file)
            dir.write("FontStp.txt", c.file);
        AvvisiImpostazioni avvisi;
        EXPECT_EQ(LeggiNomeFont(dir.path(), &avvisi), c.font) << c.cosa;
        if (c.avviso.empty()) {
            EXPECT_TRUE(avvisi.vuoto()) << c.cosa << ": " << AvvisiImpostazioni::Testo(avvisi.elenco());
        } else {
            ASSERT_EQ(avvisi.elenco().size(), 1u) << c.cosa;
            EXPECT_EQ(avvisi.elenco()[0].messaggio(), c.avviso) << c.cosa;
        }
        EXPECT_EQ(LeggiNomeFont(dir.path()), c.font) << c.cosa << ": the same without anyone to tell";
    }
}

// euro.txt divides amounts: a file that is there gives a factor above zero or an error
// naming its line; only a missing file means 1.
TEST(LeggiEuro, AFileWithoutAFactorIsAnErrorNamingTheLine)
{
    struct Caso {
        const char* file;
        std::string testo;
    } casi[] = {
        {"", "manca, il file è vuoto: non dà il cambio"},
        {"\r\n1936,27\r\n", "è vuota: non dà il cambio"},
        {"euro\r\n", "\"euro\" non è un numero"},
        {"1,2,3\r\n", "\"1,2,3\" non è un numero"},
        {"1936.27\r\n", "\"1936.27\" non è un numero"},  // a point is no decimal separator here
        {"1.936.27\r\n", "\"1.936.27\" non è un numero"},
        {"19.36,27\r\n", "\"19.36,27\" non è un numero"},
        {"1,936.27\r\n", "\"1,936.27\" non è un numero"},
        {"0\r\n", "il cambio \"0\" non è maggiore di zero"},
        {"0,00004\r\n", "il cambio \"0,00004\" non è maggiore di zero"},  // rounds to 0 in four decimals
        {"-1.936,27\r\n", "il cambio \"-1.936,27\" non è maggiore di zero"},
    };
    ravelt::testing::TempFolder dir;
    const std::pair<const char*, std::int64_t> letti[] = {{"1.936\r\n", 19360000}, {"12.345.678,5\r\n", 123456785000}, {"+0,5\r\n", 5000}};
    for (auto [testo, unita] : letti) {
        dir.write("euro.txt", testo);
        EXPECT_EQ(LeggiEuro(dir.path()).units(), unita) << testo;
    }
    for (const auto& c : casi) {
        dir.write("euro.txt", c.file);
        try {
            LeggiEuro(dir.path());
            ADD_FAILURE() << c.file << ": read as a factor";
        } catch (const ImpostazioneNonValida& e) {
            EXPECT_EQ(e.avviso(), (AvvisoImpostazioni{"euro.txt", 1, c.testo})) << e.what();
            EXPECT_EQ(std::string(e.what()), "euro.txt, riga 1: " + c.testo);
        }
    }
}

}
