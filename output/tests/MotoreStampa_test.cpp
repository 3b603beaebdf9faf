#include "output/MotoreStampa.h"
#include "output/QtPrinterSystem.h"
#include "output/tests/OutputFixtures.h"
#include "output/tests/PdfTools.h"
#include "platform/MemoryPrinter.h"
#include "testing/EngineFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::codici;

namespace {

// The print engine over a working folder whose stores live on each engine the binary
// covers.
class MotoreStampaTest : public ::testing::TestWithParam<ravelt::testing::Engine> {
protected:
    void SetUp() override
    {
        ravelt::testing::scriviStampanti(dir.path(),
                                         {
                                             {1, 1, "Laser", 1, "Ufficio"},
                                             {1, 2, "Aghi", 2, "aghi.txt"},
                                             {1, 3, "Stampa PDF", 1, "report.pdf"},
                                             {1, 4, "Senza corpo", 3, "Ufficio"},
                                         },
                                         {
                                             {1, codici({"8", "0", "0", "0", "0", "1", "12"}), codici({"0", "0", "0", "0", "0", "2"})},
                                             {2, codici({"27", "15", "0", "0", "0", "0", "27", "18"}),
                                              codici({"0", "0", "0", "0", "0", "1", "5", "6"})},
                                             {3, codici({"0", "0", "0", "0", "0", "1", "0"}), ""},
                                         });
        ravelt::testing::scriviContatori(dir.path(), {{1, 3, 4}});
        dir.write("FD2", "uno\r\ndue\r\n");
        printers.devices = {"Ufficio", "Magazzino"};
        printers.defaultDevice = "Magazzino";
    }
    RisultatoStampa stampa(RichiestaStampa r) { return motore.Stampa(r); }
    static RichiestaStampa su(const std::string& dest)
    {
        RichiestaStampa r;
        r.destinazione = dest;
        return r;
    }
    ravelt::testing::EngineFolder dir{GetParam()};
    MapEnvironment env;
    MemoryPrinterSystem printers;
    MotoreStampa motore{ContestoStampa{dir.path(), &env, 1}, 2, printers};
};

TEST_P(MotoreStampaTest, PrinterDestinationGoesToItsPrinterAndMakesItCurrent)
{
    EXPECT_EQ(motore.stampanteCorrente(), "Magazzino");
    RisultatoStampa r = stampa(su("Laser"));
    EXPECT_EQ(r.esito, EsitoStampa::Stampato);
    ASSERT_EQ(printers.documents.size(), 1u);
    EXPECT_EQ(printers.documents[0]->target, "Ufficio");
    EXPECT_FALSE(printers.documents[0]->pdf);
    EXPECT_TRUE(printers.documents[0]->ended);
    EXPECT_EQ(motore.stampanteCorrente(), "Ufficio");
    // Page length 3 with margin 2: one report line a page.
    EXPECT_EQ(printers.documents[0]->pages.size(), 3u);
}

TEST_P(MotoreStampaTest, DeviceNamingNoPrinterUsesTheCurrentOne)
{
    stampa(su("Laser"));
    RichiestaStampa r = su("Laser");
    r.stampante = "  Inesistente ";
    RisultatoStampa out = stampa(r);
    EXPECT_FALSE(out.stampanteDelDispositivo);
    EXPECT_EQ(out.profilo.Dispositivo, "Inesistente") << "the printer list's text, trimmed, replaces the device";
    ASSERT_EQ(printers.documents.size(), 2u);
    EXPECT_EQ(printers.documents[1]->target, "Ufficio") << "the last printer selected stays current";

    MemoryPrinterSystem none;
    MotoreStampa alone{ContestoStampa{dir.path(), &env, 1}, 2, none};
    EXPECT_THROW(alone.Stampa(r), std::runtime_error) << "no printer at all";
}

TEST_P(MotoreStampaTest, PdfDeviceIsAFileOfTheWorkingFolder)
{
    MemoryPrinterSystem none;
    MotoreStampa alone{ContestoStampa{dir.path(), &env, 1}, 2, none};
    RisultatoStampa r = alone.Stampa(su("Stampa PDF"));
    ASSERT_EQ(none.documents.size(), 1u);
    EXPECT_TRUE(none.documents[0]->pdf);
    EXPECT_EQ(none.documents[0]->target, (dir / "report.pdf").string());
    EXPECT_EQ(r.uscita, (dir / "report.pdf").string());
    env.set("Stampa PDF", "/tmp/altrove/Report.PDF");
    alone.Stampa(su("Stampa PDF"));
    EXPECT_EQ(none.documents.at(1)->target, "/tmp/altrove/Report.PDF");
}

TEST_P(MotoreStampaTest, TextDeviceReceivesControlBytesAndOptionsFromTheSupportCode)
{
    RichiestaStampa r = su("Aghi");
    r.codiceAssistenza = "AU";
    stampa(r);
    ASSERT_EQ(printers.textJobs.size(), 1u);
    EXPECT_EQ(printers.textJobs[0]->device, "aghi.txt");
    EXPECT_TRUE(printers.textJobs[0]->closed);
    // Margin 1, page 3, form 5 under U: 1 + 2 lines, padding to 5; margin, padding at the end.
    EXPECT_EQ(printers.textJobs[0]->bytes, std::string("\x1b\x0f\0\0\0", 5) + " \r\nuno\r\ndue\r\n\r\n\r\n \r\n\r\n\r\n\r\n\r\n");

    r.compresso = false;
    r.codiceAssistenza = "";
    r.stampante = "Magazzino";
    stampa(r);
    ASSERT_EQ(printers.textJobs.size(), 2u);
    EXPECT_EQ(printers.textJobs[1]->device, "Magazzino") << "a printer chosen in the list takes the text device's place";
    EXPECT_EQ(printers.textJobs[1]->bytes.substr(0, 5), std::string("\x1b\x12\0\0\0", 5));
}

TEST_P(MotoreStampaTest, NothingIsPrintedForAnUnknownDestinationOrAMissingReport)
{
    EXPECT_EQ(stampa(su("Nessuna")).esito, EsitoStampa::DestinazioneSconosciuta);
    std::filesystem::remove(dir / "FD2");
    EXPECT_EQ(stampa(su("Laser")).esito, EsitoStampa::ReportMancante);
    EXPECT_EQ(stampa(su("Aghi")).esito, EsitoStampa::ReportMancante);
    EXPECT_TRUE(printers.documents.empty());
    EXPECT_TRUE(printers.textJobs.empty()) << "no device is opened without a report";
}

TEST_P(MotoreStampaTest, FailuresAreRaisedWithTheirReason)
{
    printers.failingDevices = {"aghi.txt", "Ufficio"};
    EXPECT_THROW(stampa(su("Aghi")), std::runtime_error);
    EXPECT_THROW(stampa(su("Laser")), std::runtime_error);
    try {
        stampa(su("Senza corpo"));
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("dimensione del carattere"), std::string::npos) << e.what();
    }
}

// A PDF destination written by the program itself, through the toolkit, with no printer
// installed: its settings come from the stores of a folder on each engine the binary
// covers.
class PdfDestination : public ::testing::TestWithParam<ravelt::testing::Engine> {};

TEST_P(PdfDestination, IsWrittenByTheProgramWithoutAnyPrinter)
{
    ravelt::testing::EngineFolder dir(GetParam());
    ravelt::testing::scriviStampanti(dir.path(), {{1, 1, "Stampa PDF", 3, "report.pdf"}},
                                     {{3, codici({"7.5", "0", "0", "0", "0", "1", "10"}), codici({"0", "0", "0", "0", "0", "2"})}});
    ravelt::testing::scriviContatori(dir.path(), {{1, 60, 60}});
    auto lines = ravelt::testing::righeNumerate(130);
    lines[0] = "Hotel Caff\xe8 \xb3" "CITT\xc0\xb3 \x80 1.234,56 \xe7grassetto\xe7 fine";
    dir.write("FD1", ravelt::testing::comeFile(lines));
    QtPrinterSystem printers;
    MotoreStampa motore(ContestoStampa{dir.path(), nullptr, 1}, 1, printers);
    RichiestaStampa r;
    r.destinazione = "Stampa PDF";
    RisultatoStampa out = motore.Stampa(r);
    EXPECT_EQ(out.uscita, (dir / "report.pdf").string());
    ASSERT_EQ(ravelt::testing::pdfPages(dir / "report.pdf"), 3);
    auto first = ravelt::testing::pdfPage(dir / "report.pdf", 1);
    EXPECT_NEAR(first.width, 595.3, 0.5) << "A4";
    EXPECT_NE(first.text.find("Hotel Caffè |CITTà| € 1.234,56 grassetto fine"), std::string::npos) << first.text;
    EXPECT_NE(first.text.find("Riga 058"), std::string::npos);
    EXPECT_NE(ravelt::testing::pdfPage(dir / "report.pdf", 3).text.find("Riga 130"), std::string::npos);
    using Names = std::vector<std::string>;
    const Names storesAndFiles = GetParam() == ravelt::testing::Engine::Sqlite
                                     ? Names{"Contatori.sqlite", "FD1", "Stampanti.sqlite", "report.pdf"}
                                     : Names{"Database.txt", "FD1", "report.pdf"};
    EXPECT_EQ(ravelt::testing::fileNames(dir.path()), storesAndFiles) << "no temporary file is left";
}

INSTANTIATE_TEST_SUITE_P(Engines, PdfDestination, ::testing::ValuesIn(ravelt::testing::enginesUnderTest()),
                         ravelt::testing::engineParamName);

INSTANTIATE_TEST_SUITE_P(Engines, MotoreStampaTest, ::testing::ValuesIn(ravelt::testing::enginesUnderTest()),
                         ravelt::testing::engineParamName);

#if !RAVELT_TEST_SERVER
// Tests that touch no store: the server binary builds this file without them.

TEST(DispositivoPdf, EndsInPdfInAnyCase)
{
    EXPECT_TRUE(DispositivoPdf("report.pdf"));
    EXPECT_TRUE(DispositivoPdf("/x/Y.PDF"));
    EXPECT_FALSE(DispositivoPdf("pdf"));
    EXPECT_FALSE(DispositivoPdf("report.pdf.txt"));
    EXPECT_FALSE(DispositivoPdf("Laser_PDF"));
}

#endif

}
