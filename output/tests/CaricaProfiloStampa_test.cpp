#include "output/CaricaProfiloStampa.h"
#include "output/CodiciStampa.h"
#include "output/FileImpostazioni.h"
#include "output/tests/OutputFixtures.h"
#include "platform/DbError.h"
#include "testing/EngineFolder.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::codici;

namespace {

#if !RAVELT_TEST_SERVER
// Tests that touch no store: the server binary builds this file without them.

TEST(LeggiCodici, TwelveSlotsOfThreeCharacters)
{
    struct Case {
        const char* name;
        std::string text;
        std::array<double, 12> expected;
    } cases[] = {
        {"windows printer", codici({"8", "0", "0", "0", "0", "1", "12", "0", "0", "0", "0", "0"}),
         {8, 0, 0, 0, 0, 1, 12, 0, 0, 0, 0, 0}},
        {"control bytes", codici({"27", "15", "0", "0", "0", "0", "27", "18"}), {27, 15, 0, 0, 0, 0, 27, 18, 0, 0, 0, 0}},
        {"half points", "7.5  0", {7.5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"short text leaves the rest 0", "  3 88 7", {3, 88, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"blank and non-numeric slots are 0", "   abc 12", {0, 0, 12, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"empty", "", {}},
        {"beyond 36 characters ignored", codici({"1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "99"}),
         {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeggiCodici(c.text), c.expected) << c.name;
}

#endif

// The printer settings read from a working folder whose stores live on each engine the
// binary covers.
class CaricaProfiloStampaTest : public ::testing::TestWithParam<ravelt::testing::Engine> {
protected:
    void SetUp() override
    {
        using ravelt::testing::Destinazione;
        using ravelt::testing::TipoStampa;
        ravelt::testing::scriviStampanti(
            dir.path(),
            {
                Destinazione{1, 1, "Laser Ufficio", 1, "Laser_Ufficio"},
                Destinazione{1, 2, "Stampante ad aghi", 2, "aghi.txt"},
                Destinazione{1, 3, "Senza tipo", 9, "nulla.txt"},
                Destinazione{1, 4, "Cucina dell'hotel", 2, "cucina.txt"},
                Destinazione{2, 5, "Altro hotel", 1, "altro"},
                Destinazione{1, 6, "Stampa PDF", 3, "report.pdf"},
            },
            {
                TipoStampa{1, codici({"8", "0", "0", "0", "0", "1", "12"}), codici({"0", "0", "0", "0", "0", "3", "88", "72"})},
                TipoStampa{2, codici({"27", "15", "0", "0", "0", "0", "27", "18"}), codici({"0", "0", "0", "0", "0", "2"})},
                TipoStampa{3, codici({"7.5", "0", "0", "0", "0", "1", "10"}), ""},
            });
        ravelt::testing::scriviContatori(dir.path(), {{2, 66, 66}, {1, 80, 60}});
    }
    ProfiloStampa carica(const std::string& name, bool compresso)
    {
        return CaricaProfiloStampa(ContestoStampa{dir.path(), &env, 1}, name, compresso);
    }
    ravelt::testing::EngineFolder dir{GetParam()};
    MapEnvironment env;
};

TEST_P(CaricaProfiloStampaTest, WindowsPrinterTypeGivesSizesMarginAndLengths)
{
    ProfiloStampa c = carica("Laser Ufficio", true);
    EXPECT_TRUE(c.Trovata);
    EXPECT_TRUE(c.StampanteWindows);
    EXPECT_EQ(c.TipoStampa, 1);
    EXPECT_EQ(c.Dispositivo, "Laser_Ufficio");
    EXPECT_EQ(c.DimensioneFont, 8);
    EXPECT_EQ(c.MargineSuperiore, 3);
    EXPECT_EQ(c.LunghezzaModulo, 88);
    EXPECT_EQ(c.LunghezzaPagina, 80);
    EXPECT_EQ(c.NomeFont, "Courier New");

    ProfiloStampa n = carica("Laser Ufficio", false);
    EXPECT_EQ(n.DimensioneFont, 12);
    EXPECT_EQ(n.LunghezzaModulo, 72);
    EXPECT_EQ(n.LunghezzaPagina, 60);
}

TEST_P(CaricaProfiloStampaTest, TextDeviceTypeGivesItsFiveControlBytes)
{
    ProfiloStampa c = carica("Stampante ad aghi", true);
    EXPECT_FALSE(c.StampanteWindows);
    EXPECT_EQ(c.SequenzaControllo, std::string("\x1b\x0f\0\0\0", 5));
    EXPECT_EQ(carica("Stampante ad aghi", false).SequenzaControllo, std::string("\x1b\x12\0\0\0", 5));
    EXPECT_EQ(c.MargineSuperiore, 2);
    EXPECT_EQ(c.LunghezzaModulo, 0) << "a type row with slot 7 blank has no form length";
}

TEST_P(CaricaProfiloStampaTest, TypeWithoutSetStampaRowIsATextDeviceWithDefaults)
{
    ProfiloStampa p = carica("Senza tipo", true);
    EXPECT_TRUE(p.Trovata);
    EXPECT_FALSE(p.RigaSetStampa);
    EXPECT_FALSE(p.StampanteWindows);
    EXPECT_EQ(p.CodiciCompresso, (std::array<double, 12>{}));
    EXPECT_EQ(p.SequenzaControllo, std::string(5, '\0'));
    EXPECT_EQ(p.LunghezzaModulo, 66);
    EXPECT_EQ(p.MargineSuperiore, 0);
    EXPECT_EQ(p.Dispositivo, "nulla.txt");
}

TEST_P(CaricaProfiloStampaTest, LookupIgnoresLetterCaseAndTakesApostrophes)
{
    EXPECT_EQ(carica("LASER ufficio", true).Dispositivo, "Laser_Ufficio");
    EXPECT_EQ(carica("Cucina dell'hotel", true).Dispositivo, "cucina.txt");
    ProfiloStampa missing = carica("Nessuna", true);
    EXPECT_FALSE(missing.Trovata);
    EXPECT_EQ(missing.LunghezzaPagina, 80) << "font and page length are read before the lookup";
}

TEST_P(CaricaProfiloStampaTest, VariableNamedAfterDestinationOverridesTheDevice)
{
    EXPECT_EQ(carica("Stampante ad aghi", true).Dispositivo, "aghi.txt") << "unset";
    env.set("Stampante ad aghi", "");
    EXPECT_EQ(carica("Stampante ad aghi", true).Dispositivo, "aghi.txt") << "set but empty";
    env.set("Stampante ad aghi", "/dev/usb/lp0");
    EXPECT_EQ(carica("Stampante ad aghi", true).Dispositivo, "/dev/usb/lp0");
    EXPECT_EQ(carica("Laser Ufficio", true).Dispositivo, "Laser_Ufficio") << "only the destination's own variable";
}

TEST_P(CaricaProfiloStampaTest, PageLengthDefaultsTo60WithoutTheHotelsRow)
{
    ProfiloStampa p = CaricaProfiloStampa(ContestoStampa{dir.path(), &env, 7}, "Laser Ufficio", true);
    EXPECT_FALSE(p.RigaContatori);
    EXPECT_EQ(p.LunghezzaPagina, 60);
    EXPECT_EQ(CaricaProfiloStampa(ContestoStampa{dir.path(), &env, 2}, "Laser Ufficio", true).LunghezzaPagina, 66);
}

TEST_P(CaricaProfiloStampaTest, FontComesFromFontStpTrimmed)
{
    dir.write("FontStp.txt", "  Liberation Mono \r\nignored\r\n");
    EXPECT_EQ(carica("Laser Ufficio", true).NomeFont, "Liberation Mono");
    dir.write("FontStp.txt", "   \r\n");
    EXPECT_EQ(carica("Laser Ufficio", true).NomeFont, "Courier New") << "a blank first line names no font";
}

TEST_P(CaricaProfiloStampaTest, ControlCodeThatIsNoByteIsRefusedOnATextDevice)
{
    ravelt::testing::EngineFolder other(GetParam());
    ravelt::testing::scriviStampanti(other.path(), {{1, 1, "Aghi", 4, "x.txt"}, {1, 2, "Laser", 5, "q"}},
                                     {{4, codici({"27", "300"}), ""}, {5, codici({"300", "0", "0", "0", "0", "1", "12"}), ""}});
    ravelt::testing::scriviContatori(other.path(), {{1, 60, 60}});
    try {
        CaricaProfiloStampa(ContestoStampa{other.path(), nullptr, 1}, "Aghi", true);
        FAIL() << "a code of 300 was accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("300"), std::string::npos) << e.what();
    }
    EXPECT_NO_THROW(CaricaProfiloStampa(ContestoStampa{other.path(), nullptr, 1}, "Laser", true))
        << "on a printer the slot is a font size";
}

TEST_P(CaricaProfiloStampaTest, MissingStoreNamesIt)
{
    ravelt::testing::EngineFolder empty(GetParam());
    try {
        CaricaProfiloStampa(ContestoStampa{empty.path(), nullptr, 1}, "Laser Ufficio", true);
        FAIL();
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("Contatori"), std::string::npos) << e.what();
    }
}

TEST_P(CaricaProfiloStampaTest, ElencoDestinazioniListsHotelOneInRecordOrder)
{
    EXPECT_EQ(ElencoDestinazioni(dir.path()), (std::vector<std::string>{"Laser Ufficio", "Stampante ad aghi", "Senza tipo",
                                                                        "Cucina dell'hotel", "Stampa PDF"}));
}

INSTANTIATE_TEST_SUITE_P(Engines, CaricaProfiloStampaTest, ::testing::ValuesIn(ravelt::testing::enginesUnderTest()),
                         ravelt::testing::engineParamName);

#if !RAVELT_TEST_SERVER
// Tests that touch no store: the server binary builds this file without them.

TEST(DestinazionePdf, CapitalLettersAnywhereInTheName)
{
    EXPECT_TRUE(DestinazionePdf("Stampa PDF"));
    EXPECT_TRUE(DestinazionePdf("PDF ufficio"));
    EXPECT_FALSE(DestinazionePdf("Stampa pdf"));
    EXPECT_FALSE(DestinazionePdf("Laser"));
}

TEST(UltimaDestinazionePdf, TheLastPdfDestinationInTheirOrder)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(UltimaDestinazionePdf(V{}), std::nullopt);
    EXPECT_EQ(UltimaDestinazionePdf(V{"Laser", "Stampa pdf"}), std::nullopt);
    EXPECT_EQ(UltimaDestinazionePdf(V{"PDF"}), 0u);
    EXPECT_EQ(UltimaDestinazionePdf(V{"PDF ufficio", "Laser", "Stampa PDF", "Aghi"}), 2u);
}

TEST(LeggiEuro, ItalianNumberOrOne)
{
    ravelt::testing::TempFolder dir;
    EXPECT_EQ(LeggiEuro(dir.path()), Currency::fromWhole(1));
    struct Case {
        const char* text;
        std::int64_t units;
    } cases[] = {{"1936,27\r\n", 19362700}, {"1.936,27\r\n", 19362700}, {" 2 \r\n", 20000}, {"0,5", 5000}};
    for (const auto& c : cases) {
        dir.write("euro.txt", c.text);
        EXPECT_EQ(LeggiEuro(dir.path()).units(), c.units) << c.text;
    }
    dir.write("euro.txt", "euro\r\n");
    EXPECT_THROW(LeggiEuro(dir.path()), std::runtime_error);
}

#endif

}
