#include "output/ComandiUscita.h"
#include "output/tests/OutputFixtures.h"
#include "output/QtPrinterSystem.h"
#include "platform/MemoryPrinter.h"
#include "testing/FileSizeLimit.h"
#include "testing/EngineFolder.h"

#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

using namespace ravelt;
using ravelt::testing::codici;

namespace {

class WaitingLauncher : public ProgramLauncher {
public:
    void start(const std::filesystem::path&, const std::filesystem::path&, const std::map<std::string, std::string>&) override
    {
        ADD_FAILURE() << "the command waits for the mail program";
    }
    int run(const std::filesystem::path& p, const std::filesystem::path&, const std::map<std::string, std::string>&,
            const std::vector<std::string>&) override
    {
        ran.push_back(p);
        return exitCode;
    }
    std::vector<std::filesystem::path> ran;
    int exitCode = 0;
};

// The commands over a working folder whose stores live on each engine the binary covers.
class ComandiUscitaTest : public ::testing::TestWithParam<ravelt::testing::Engine> {
protected:
    void SetUp() override
    {
        ravelt::testing::scriviStampanti(dir.path(),
                                         {
                                             {1, 1, "Laser", 1, "Ufficio"},
                                             {1, 2, "Aghi", 2, "aghi.txt"},
                                             {1, 3, "Primo PDF", 1, "primo.pdf"},
                                             {1, 4, "Ultimo PDF", 1, "ultimo.pdf"},
                                         },
                                         {
                                             {1, codici({"8", "0", "0", "0", "0", "1", "12"}), ""},
                                             {2, codici({"27", "15", "0", "0", "0", "0", "27", "18"}), ""},
                                         });
        ravelt::testing::scriviContatori(dir.path(), {{1, 60, 60}});
        ravelt::testing::scriviAnagrafica(dir.path(), "U");
        dir.write("FD6", "\xb3" "1.234,56\xb3\r\n");
        state.PCLocal = 6;
        printers.devices = {"Ufficio", "Magazzino"};
        printers.defaultDevice = "Ufficio";
        c.folder = dir.path();
        c.state = &state;
        c.stampanti = &printers;
        c.env = &env;
        c.launcher = &launcher;
        c.out = &out;
        c.err = &err;
        c.cartellaProgramma = dir / "bin";
        c.percorsoRicerca = "/nessun/percorso";
    }
    int print(const OpzioniStampa& opzioni)
    {
        out.str("");
        err.str("");
        return ComandoStampa(opzioni, c);
    }
    ravelt::testing::EngineFolder dir{GetParam()};
    ProgramState state;
    MemoryPrinterSystem printers;
    MapEnvironment env;
    WaitingLauncher launcher;
    std::ostringstream out, err;
    ContestoComandi c;
};

TEST_P(ComandiUscitaTest, PrintExitCodesAndMessages)
{
    struct Case {
        const char* name;
        OpzioniStampa opzioni;
        int code;
        const char* said;  // found in the output (0) or in the errors (other codes)
    } cases[] = {
        {"first destination by default", {}, 0, "\"Laser\""},
        {"named destination, any letter case", {.destinazione = "aghi"}, 0, "aghi.txt"},
        {"pdf: the last PDF destination", {.pdf = true}, 0, "ultimo.pdf"},
        {"unknown destination lists the known ones", {.destinazione = "Nessuna"}, 1, "\"Laser\", \"Aghi\""},
    };
    for (const auto& k : cases) {
        int code = print(k.opzioni);
        EXPECT_EQ(code, k.code) << k.name << ": " << err.str();
        std::string said = k.code == 0 ? out.str() : err.str();
        EXPECT_NE(said.find(k.said), std::string::npos) << k.name << ": " << said;
    }
}

TEST_P(ComandiUscitaTest, PrintFlagsStandForTheCheckBoxesAndThePrinterList)
{
    ASSERT_EQ(print({.normale = true, .orizzontale = true, .fronteRetro = true, .stampante = "Magazzino"}), 0) << err.str();
    ASSERT_EQ(printers.documents.size(), 1u);
    const PrintedDocument& d = *printers.documents[0];
    EXPECT_EQ(d.target, "Magazzino");
    EXPECT_EQ(d.duplex, 2);
    EXPECT_EQ(d.pages.at(0).orientation, PrinterObject::Landscape);
    EXPECT_EQ(d.pages[0].lines.at(1).fragments.at(0).fontSize, 12);

    ASSERT_EQ(print({.destinazione = "Aghi"}), 0) << err.str();
    ASSERT_EQ(printers.textJobs.size(), 1u);
    // Option U from the registry: no form feed, the page padded (form length 0: nothing).
    EXPECT_EQ(printers.textJobs[0]->bytes, std::string("\x1b\x0f\0\0\0", 5) + "|1.234,56|\r\n");
}

TEST_P(ComandiUscitaTest, PrintFailuresAreClear)
{
    std::filesystem::remove(dir / "FD6");
    EXPECT_EQ(print({}), 1);
    EXPECT_NE(err.str().find("FD6"), std::string::npos) << err.str();
    EXPECT_TRUE(printers.documents.empty());

    dir.write("FD6", "x\r\n");
    printers.failingDevices = {"aghi.txt"};
    EXPECT_EQ(print({.destinazione = "Aghi"}), 1);
    EXPECT_NE(err.str().find("aghi.txt"), std::string::npos) << err.str();

    EXPECT_EQ(print({.stampante = "Non installata"}), 0) << err.str();
    EXPECT_NE(err.str().find("Non installata"), std::string::npos) << "the fallback to the current printer is said";

    dir.removeStore("Stampanti.mdb");
    ravelt::testing::scriviStampanti(dir.path(), {{1, 1, "Laser", 1, "Ufficio"}}, {});
    EXPECT_EQ(print({.pdf = true}), 1);
    EXPECT_NE(err.str().find("Nessuna stampante PDF impostata!"), std::string::npos) << err.str();
}

// On a full disk the command says the print failed and why, exits 1, and the file of
// the previous print is left as it was: a PDF destination and a text device that is a
// plain file alike.
TEST_P(ComandiUscitaTest, PrintTheDiskRefusesFailsAndKeepsThePreviousFile)
{
    struct Case {
        OpzioniStampa opzioni;
        const char* file;
    } cases[] = {{{.pdf = true}, "ultimo.pdf"}, {{.destinazione = "Aghi"}, "aghi.txt"}};
    QtPrinterSystem realPrinters;
    c.stampanti = &realPrinters;
    dir.write("FD6", ravelt::testing::comeFile(ravelt::testing::righeNumerate(300)));
    for (const auto& k : cases) {
        dir.write(k.file, "stampa precedente");
        int code;
        {
            ravelt::testing::FileSizeLimit full(2048);
            code = print(k.opzioni);
        }
        EXPECT_EQ(code, 1) << k.file << ": " << out.str();
        EXPECT_EQ(out.str(), "") << k.file << ": nothing is said to be printed";
        EXPECT_NE(err.str().find(k.file), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("troppo grande"), std::string::npos) << "the reason: " << err.str();
        const std::string now = dir.read(k.file);
        EXPECT_TRUE(now == "stampa precedente") << k.file << " now holds " << now.size() << " bytes";
    }
}

TEST_P(ComandiUscitaTest, CsvWritesTheFileAndPrintsItsPath)
{
    EXPECT_EQ(ComandoCsv(c), 0) << err.str();
    EXPECT_EQ(out.str(), (dir / "fd6.csv").string() + "\n");
    EXPECT_EQ(dir.read("fd6.csv"), ",\x80" "1234.56,\r\n");
    std::filesystem::remove(dir / "FD6");
    EXPECT_EQ(ComandoCsv(c), 1);
}

TEST_P(ComandiUscitaTest, IgnoredSettingsLinesAreToldOnStandardError)
{
    dir.write("FontStp.txt", "\r\n");
    dir.write("SeparatoreXLS.txt", ";\r\n;\r\n\r\n");
    EXPECT_EQ(print({}), 0) << err.str();
    EXPECT_EQ(err.str(), "ravelt print: avviso: FontStp.txt, riga 1: è vuota: si stampa con il carattere Courier New\n");
    err.str("");
    EXPECT_EQ(ComandoCsv(c), 0) << err.str();
    EXPECT_EQ(err.str(), "ravelt csv: avviso: SeparatoreXLS.txt, riga 2: \";\" è anche il separatore dei campi: "
                         "come separatore dei decimali si usa \".\"\n");
    EXPECT_EQ(dir.read("fd6.csv"), ";1234.56;\r\n") << "an empty third line puts a blank, the only blank of the row";
}

TEST_P(ComandiUscitaTest, MailSendsTheWholeReportAndReturnsTheMailProgramsCode)
{
    dir.write("FD6", ravelt::testing::comeFile(ravelt::testing::righeNumerate(300, 100)));
    std::filesystem::create_directories(dir / "bin");
    dir.write("bin/spedix", "#!/bin/sh\n");
    ::chmod((dir / "bin" / "spedix").c_str(), 0755);
    launcher.exitCode = 0;
    EXPECT_EQ(ComandoMail(c), 0);
    ASSERT_EQ(launcher.ran.size(), 1u);
    EXPECT_EQ(launcher.ran[0], dir / "bin" / "spedix");
    std::string request = dir.read("e-mail6.txt");
    EXPECT_NE(request.find("Riga 300 "), std::string::npos) << "the whole report, not one chunk";
    EXPECT_EQ(request.size(), 9 + 300 * 102 + 2u);

    launcher.exitCode = 3;
    EXPECT_EQ(ComandoMail(c), 3);
    EXPECT_NE(err.str().find("codice 3"), std::string::npos) << err.str();

    std::filesystem::remove(dir / "bin" / "spedix");
    EXPECT_EQ(ComandoMail(c), 1);
    EXPECT_NE(err.str().find("spedix"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Engines, ComandiUscitaTest, ::testing::ValuesIn(ravelt::testing::enginesUnderTest()),
                         ravelt::testing::engineParamName);

}
