#include "output/MotoreStampa.h"
#include "output/tests/OutputFixtures.h"
#include "platform/MemoryPrinter.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::codici;

namespace {

class MotoreStampaTest : public ::testing::Test {
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
    ravelt::testing::TempFolder dir;
    MapEnvironment env;
    MemoryPrinterSystem printers;
    MotoreStampa motore{ContestoStampa{dir.path(), &env, 1}, 2, printers};
};

TEST_F(MotoreStampaTest, PrinterDestinationGoesToItsPrinterAndMakesItCurrent)
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

TEST_F(MotoreStampaTest, DeviceNamingNoPrinterUsesTheCurrentOne)
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

TEST_F(MotoreStampaTest, PdfDeviceIsAFileOfTheWorkingFolder)
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

TEST_F(MotoreStampaTest, TextDeviceReceivesControlBytesAndOptionsFromTheSupportCode)
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

TEST_F(MotoreStampaTest, NothingIsPrintedForAnUnknownDestinationOrAMissingReport)
{
    EXPECT_EQ(stampa(su("Nessuna")).esito, EsitoStampa::DestinazioneSconosciuta);
    std::filesystem::remove(dir / "FD2");
    EXPECT_EQ(stampa(su("Laser")).esito, EsitoStampa::ReportMancante);
    EXPECT_EQ(stampa(su("Aghi")).esito, EsitoStampa::ReportMancante);
    EXPECT_TRUE(printers.documents.empty());
    EXPECT_TRUE(printers.textJobs.empty()) << "no device is opened without a report";
}

TEST_F(MotoreStampaTest, FailuresAreRaisedWithTheirReason)
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

TEST(DispositivoPdf, EndsInPdfInAnyCase)
{
    EXPECT_TRUE(DispositivoPdf("report.pdf"));
    EXPECT_TRUE(DispositivoPdf("/x/Y.PDF"));
    EXPECT_FALSE(DispositivoPdf("pdf"));
    EXPECT_FALSE(DispositivoPdf("report.pdf.txt"));
    EXPECT_FALSE(DispositivoPdf("Laser_PDF"));
}

}
