#include "tableprint/StampaTabella.h"

#include "app/CommandLine.h"
#include "cashreport/tests/GoldenFile.h"
#include "demohotel/DemoHotel.h"
#include "platform/Cp1252.h"
#include "platform/Database.h"
#include "shell/PasswordRoutines.h"
#include "shell/program_state.h"
#include "tableprint/ErroreStampa.h"
#include "tableprint/tests/CartellaStampa.h"
#include "testing/EngineFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <iostream>

using namespace ravelt;
using ravelt::testing::CartellaStampa;
using ravelt::testing::EngineFolder;

namespace {

DemoOptions piccolo(const std::string& codice = "AB")
{
    DemoOptions o;
    o.days = 2;
    o.rooms = 5;
    o.supportCode = codice;
    return o;
}

ContestoArchivio contestoDi(const std::filesystem::path& cartella, const Clock& orologio)
{
    ContestoArchivio c;
    c.cartella = cartella;
    c.PCLocal = 1;
    c.orologio = &orologio;
    return c;
}

// The print of a table named by its definition, over a working folder whose stores live
// on each engine the binary covers.
class StampaTabellaTest : public ::testing::TestWithParam<ravelt::testing::Engine> {};

// The column list of a fresh demo hotel, with the saved filter the demo comes with.
TEST_P(StampaTabellaTest, ColumnListOfTheDemoHotel)
{
    EngineFolder dir(GetParam());
    createDemoHotel(dir.path(), piccolo());
    FixedClock orologio(DateTime{2026, 12, 7, 11, 30, 0});
    EsitoStampaArchivio e = StampaTabella(contestoDi(dir.path(), orologio), "ColonneRavelt");
    EXPECT_EQ(e.righeTabella, 8) << "hotel 1's rows";
    EXPECT_TRUE(ravelt::testing::matchesGolden(dir.read("FD1"), "demo_colonne.golden"));
}

TEST_P(StampaTabellaTest, RowsAsLoadedThenTheSavedFilter)
{
    struct Caso {
        const char* cosa;
        const char* filtro;  // nullptr: no saved filter
        const char* errore;  // nullptr: printed
        long righe;
    } casi[] = {
        {"no saved filter: no row counts", nullptr, "E' necessario definire un criterio di stampa!", 0},
        {"a filter without criteria", "Compresso = S\r\nIn Ordine di Sigla\r\n", "E' necessario definire un criterio di stampa!", 0},
        {"a text criterion", "Compresso = N\r\nIn Ordine di Sigla\r\nIntestazione = carte\r\n", nullptr, 3},
        {"a parameter given by nobody", "Compresso = N\r\nIn Ordine di Sigla\r\nIntestazione = Param1\r\n",
         "E' necessario definire un criterio di stampa!", 0},
        {"a word for a number", "Compresso = N\r\nIn Ordine di Sigla\r\nNumeroColonna = tre\r\n", "NumeroColonna: TRE", 0},
        {"an order field the table lacks is not chosen", "Compresso = N\r\nIn Ordine di Colore\r\nSigla In 0\r\n", nullptr, 8},
    };
    for (const auto& c : casi) {
        CartellaStampa dir(GetParam());
        createDemoHotel(dir.path(), piccolo());
        std::filesystem::remove(dir.path() / "ColonneRavelt.fil");
        if (c.filtro)
            dir.scrivi("ColonneRavelt.fil", c.filtro);
        try {
            EsitoStampaArchivio e = StampaTabella(dir.contesto(), "ColonneRavelt");
            EXPECT_FALSE(c.errore) << c.cosa << ": printed";
            EXPECT_EQ(e.righeTabella, c.righe) << c.cosa;
        } catch (const ErroreStampa& e) {
            ASSERT_TRUE(c.errore) << c.cosa << ": " << e.testo();
            EXPECT_NE(e.testo().find(c.errore), std::string::npos) << c.cosa << ": " << e.testo();
            EXPECT_FALSE(dir.esiste("FD1")) << c.cosa;
        }
    }
}

// The command as a script runs it: in the working folder, with the gate, the folder's
// stores on each engine the binary covers.
class CommandTablePrint : public ::testing::TestWithParam<ravelt::testing::Engine> {
protected:
    void SetUp() override
    {
        setenv("PCLocal", "1", 1);
        unsetenv("RAVELT_PASSWORD");
    }
    void TearDown() override { unsetenv("RAVELT_PASSWORD"); }

    // Runs the command in the folder; returns its exit code and keeps standard error.
    int esegui(const std::filesystem::path& cartella, std::vector<std::string> args)
    {
        ravelt::testing::CurrentFolder qui(cartella);
        ::testing::internal::CaptureStderr();
        ::testing::internal::CaptureStdout();
        args.insert(args.begin(), "table-print");
        int rc = runCommandLine(args, {std::cout, std::cerr}, stato);
        std::cout.flush();
        uscita = ::testing::internal::GetCapturedStdout();
        errori = ::testing::internal::GetCapturedStderr();
        return rc;
    }
    std::string uscita, errori;
    ProgramState stato;  // each test starts with the workstation not opened, as a new process does
};

TEST_P(CommandTablePrint, WritesTheReportOfTheDefinition)
{
    EngineFolder dir(GetParam());
    createDemoHotel(dir.path(), piccolo());
    EXPECT_EQ(esegui(dir.path(), {"ColonneRavelt"}), 0) << errori;
    EXPECT_NE(uscita.find("FD1"), std::string::npos) << uscita;
    const std::string report = dir.read("FD1");
    EXPECT_NE(report.find("Colonne del dettaglio cassa"), std::string::npos);
    // the demo hotel's support code has no K: plain frames
    EXPECT_NE(report.find("|   1|CONTANTI    |    01|Contanti"), std::string::npos) << report;
}

TEST_P(CommandTablePrint, FailuresExitNonZeroAndWriteNothing)
{
    struct Caso {
        const char* cosa;
        std::vector<std::string> args;
        bool senzaFiltro;
        int rc;
        const char* messaggio;
    } casi[] = {
        {"a missing definition", {"Nessuna"}, false, 1, "Nessuna.stp - Inesistente!"},
        {"no counting row", {"ColonneRavelt"}, true, 1, "E' necessario definire un criterio di stampa!"},
        {"no name", {}, false, 2, "uso:"},
        {"two names", {"A", "B"}, false, 2, "uso:"},
    };
    for (const auto& c : casi) {
        EngineFolder dir(GetParam());
        createDemoHotel(dir.path(), piccolo());
        if (c.senzaFiltro)
            std::filesystem::remove(dir.path() / "ColonneRavelt.fil");
        EXPECT_EQ(esegui(dir.path(), c.args), c.rc) << c.cosa;
        EXPECT_NE(errori.find(c.messaggio), std::string::npos) << c.cosa << ": " << errori;
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "FD1")) << c.cosa;
    }
}

// What the command could not follow in the settings files, the definition and the
// saved filter goes to standard error, whether the print is written or not.
TEST_P(CommandTablePrint, LinesNotFollowedAreToldOnStandardError)
{
    EngineFolder dir(GetParam());
    createDemoHotel(dir.path(), piccolo());
    dir.write("ColonneRavelt.fil", "Compresso = N\r\nIn Ordine di Colore\r\nNumeroColonna >= 1\r\n");
    EXPECT_EQ(esegui(dir.path(), {"ColonneRavelt"}), 0) << errori;
    EXPECT_EQ(errori, "ravelt table-print: avviso: ColonneRavelt.fil, riga 2: il campo d'ordine \"Colore\" non è un campo "
                      "della tabella: si ordina per \"NumeroHotel\"\n");

    std::filesystem::remove(dir.path() / "FD1");
    dir.write("ColonneRavelt.fil", "Compresso = N\r\nIn Ordine di NumeroColonna\r\nNumeroColonna >= 1\r\nSigla\r\n");
    dir.write("ColonneRavelt.stp", "0,Colonne,ColonneRavelt.mdb,ColonneRavelt,,,,,,\r\n1,Col.,,,EURONumeroColonna,4,N,N,,\r\n");
    dir.write("euro.txt", "uno\r\n");
    EXPECT_EQ(esegui(dir.path(), {"ColonneRavelt"}), 1);
    EXPECT_EQ(errori, "ravelt table-print: avviso: ColonneRavelt.fil, riga 4: \"Sigla\" non ha un valore dopo il campo e "
                      "l'operatore: il criterio non conta\n"
                      "ravelt table-print: Stampa di ColonneRavelt (ColonneRavelt.mdb) non eseguita: euro.txt, riga 1: "
                      "\"uno\" non è un numero: le colonne EURO non si possono calcolare\n");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "FD1"));
}

TEST_P(CommandTablePrint, TheManagementGateApplies)
{
    EngineFolder dir(GetParam());
    createDemoHotel(dir.path(), piccolo("^"));
    // the program takes the support code of the registry's first row: hotel 1's alone
    Database::OpenDatabase("AnagraficaHotels.mdb", dir.path())->Execute("DELETE FROM AnagraficaHotels WHERE Numero = 2");
    std::string pw = "segreta";
    std::string stored = TrasformaPassword(pw, 1);
    dir.write("Security.pwd", toCp1252(stored + "," + CalcolaControllo("SEGRETA")) + "\r\n");

    setenv("RAVELT_PASSWORD", "sbagliata", 1);
    EXPECT_EQ(esegui(dir.path(), {"ColonneRavelt"}), 1);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "FD1")) << "a wrong password prints nothing";

    setenv("RAVELT_PASSWORD", "segreta", 1);
    EXPECT_EQ(esegui(dir.path(), {"ColonneRavelt"}), 0) << errori;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "FD1"));

    // opened before the call with access granted: not asked again
    std::filesystem::remove(dir.path() / "FD1");
    setenv("RAVELT_PASSWORD", "sbagliata", 1);
    EXPECT_EQ(esegui(dir.path(), {"ColonneRavelt"}), 0) << errori;
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "FD1"));
}

INSTANTIATE_TEST_SUITE_P(Engines, StampaTabellaTest, ::testing::ValuesIn(ravelt::testing::enginesUnderTest()),
                         ravelt::testing::engineParamName);

INSTANTIATE_TEST_SUITE_P(Engines, CommandTablePrint, ::testing::ValuesIn(ravelt::testing::enginesUnderTest()),
                         ravelt::testing::engineParamName);

}
