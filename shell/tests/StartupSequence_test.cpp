#include "shell/StartupSequence.h"

#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/StoreCatalog.h"
#include "testing/RecordingPresenter.h"
#include "shell/tests/StoreFixtures.h"
#include "testing/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::RecordingPresenter;
using ravelt::testing::TempFolder;

namespace {

// A working folder, a fresh program state and a gate that answers as told, remembering
// what the state held when it was shown.
class StartupSequenceTest : public ::testing::Test {
protected:
    StartupSequence sequence()
    {
        return StartupSequence(state, dir.path(), env, &messages, [this] {
            ++gateShown;
            seenByGate = state;
            state.AccessoConsentito = gateAnswer;
        });
    }

    TempFolder dir;
    ProgramState state;
    MapEnvironment env{{{"PCLocal", "3"}, {"NTerm", "7"}}};
    RecordingPresenter messages;
    std::string gateAnswer = "S";
    int gateShown = 0;
    ProgramState seenByGate;
};

}

TEST_F(StartupSequenceTest, MissingRegistryClosesNamingIt)
{
    auto s = sequence();
    EXPECT_FALSE(s.load());
    EXPECT_EQ(gateShown, 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.told("AnagraficaHotels.mdb"));
    EXPECT_TRUE(messages.told("Il programma viene chiuso"));
    EXPECT_FALSE(s.activate());
}

TEST_F(StartupSequenceTest, RegistryWithoutItsTableClosesNamingIt)
{
    Database::CreateDatabase("AnagraficaHotels.mdb", "", dir.path())->Execute("CREATE TABLE Altro (x INTEGER)");
    auto s = sequence();
    EXPECT_FALSE(s.load());
    EXPECT_EQ(gateShown, 0);
    EXPECT_TRUE(messages.told("AnagraficaHotels"));
}

TEST_F(StartupSequenceTest, EmptyRegistryClosesWithoutGate)
{
    ravelt::testing::makeRegistry(dir, {});
    ravelt::testing::writeSecurityPwd(dir, "ABC");
    auto s = sequence();
    EXPECT_FALSE(s.load());
    EXPECT_EQ(gateShown, 0);
    EXPECT_EQ(state.PasswordDirezione, "");  // the password settings are not read
    EXPECT_TRUE(messages.told("non contiene alcun hotel"));
    EXPECT_FALSE(s.activate());
    EXPECT_FALSE(storeExists(dir.path(), "ColonneRavelt.mdb"));
}

TEST_F(StartupSequenceTest, SupportCodeComesFromTheFirstRecord)
{
    struct Case {
        std::vector<std::optional<std::string>> codici;
        std::string expected;
    } cases[] = {
        {{"^P", "AB"}, "^P"},
        {{std::nullopt, "AB"}, ""},
        {{"KU"}, "KU"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        ravelt::testing::makeRegistry(folder, c.codici);
        ProgramState st;
        StartupSequence s(st, folder.path(), env, &messages, [&st] { st.AccessoConsentito = "S"; });
        EXPECT_TRUE(s.load());
        EXPECT_EQ(st.CodiceAssistenza, c.expected);
    }
}

TEST_F(StartupSequenceTest, GateSeesPasswordSettingsAndClearedEntry)
{
    ravelt::testing::makeRegistry(dir, {"^"});
    ravelt::testing::writeSecurityPwd(dir, "ABC");
    state.PasswordDigitata = "left over";
    auto s = sequence();
    EXPECT_TRUE(s.load());
    EXPECT_EQ(gateShown, 1);
    EXPECT_EQ(seenByGate.CodiceAssistenza, "^");
    EXPECT_EQ(seenByGate.PasswordDirezione, "ABC");
    EXPECT_EQ(seenByGate.ValoreControllo, 1404);
    EXPECT_EQ(seenByGate.PasswordDigitata, "");
}

TEST_F(StartupSequenceTest, MissingPasswordFileClearsEarlierSettings)
{
    ravelt::testing::makeRegistry(dir, {"^"});
    state.PasswordDirezione = "OLD";
    state.ValoreControllo = 99;
    auto s = sequence();
    EXPECT_TRUE(s.load());
    EXPECT_EQ(seenByGate.PasswordDirezione, "");
    EXPECT_EQ(seenByGate.ValoreControllo, 0);
    EXPECT_TRUE(messages.shown.empty());
}

// Security.pwd is read only when the support code makes the gate consult the password:
// with neither "^" nor "P" nothing in it can change the outcome, so a file of any size
// or content costs the start-up nothing.
TEST_F(StartupSequenceTest, PasswordFileIsReadOnlyWhenTheGateConsultsIt)
{
    struct Case {
        std::string codice;
        std::string bytes;
        std::string seen;  // PasswordDirezione as the gate sees it
    } cases[] = {
        {"AB", "567,1404\r\n", ""},
        {"AB", std::string(10'000'000, '5') + ",1404\r\n", ""},
        {"^", "567,1404\r\n", "ABC"},
        {"P", "567,1404\r\n", "ABC"},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        ravelt::testing::makeRegistry(folder, {c.codice});
        folder.write("Security.pwd", c.bytes);
        ProgramState st;
        st.PasswordDirezione = "OLD";
        std::string seen = "not shown";
        StartupSequence s(st, folder.path(), env, &messages, [&] {
            seen = st.PasswordDirezione;
            st.AccessoConsentito = "S";
        });
        EXPECT_TRUE(s.load()) << c.codice;
        EXPECT_TRUE(seen == c.seen) << c.codice << ": the gate saw " << seen.size() << " characters";
    }
}

TEST_F(StartupSequenceTest, UnusablePasswordFileRefusesWhenThePasswordCounts)
{
    struct Case {
        std::string codice;
        bool granted;
    } cases[] = {{"^", false}, {"P", false}, {"^P", false}, {"AB", true}};
    for (const auto& c : cases) {
        TempFolder folder;
        ravelt::testing::makeRegistry(folder, {c.codice});
        folder.write("Security.pwd", "567,1-2\r\n");  // a check value that is no number
        ProgramState st;
        RecordingPresenter told;
        int shown = 0;
        StartupSequence s(st, folder.path(), env, &told, [&] { ++shown; st.AccessoConsentito = "S"; });
        EXPECT_EQ(s.load(), c.granted) << c.codice;
        EXPECT_EQ(shown, c.granted ? 1 : 0) << c.codice;
        EXPECT_EQ(told.told("Security.pwd"), !c.granted) << c.codice;
        if (!c.granted) {
            EXPECT_EQ(st.AccessoConsentito, "N");
        }
    }
}

TEST_F(StartupSequenceTest, RefusalIsToldToTheOperator)
{
    struct Case {
        std::string answer, fragment;
    } cases[] = {{"N", "errata"}, {"", "non inserita"}};
    for (const auto& c : cases) {
        TempFolder folder;
        ravelt::testing::makeRegistry(folder, {"P"});
        ProgramState st;
        RecordingPresenter told;
        StartupSequence s(st, folder.path(), env, &told, [&] { st.AccessoConsentito = c.answer; });
        EXPECT_FALSE(s.load());
        ASSERT_EQ(told.shown.size(), 1u);
        EXPECT_TRUE(told.told(c.fragment)) << told.shown[0].testo;
        EXPECT_TRUE(told.told("Il programma viene chiuso"));
        EXPECT_EQ(st.PCLocal, 0);  // the workstation is not read
        EXPECT_FALSE(s.activate());
    }
}

TEST_F(StartupSequenceTest, NoGateGivenGrantsNothing)
{
    ravelt::testing::makeRegistry(dir, {"AB"});
    StartupSequence s(state, dir.path(), env, &messages, nullptr);
    EXPECT_FALSE(s.load());
    EXPECT_TRUE(messages.told("accesso non consentito"));
}

TEST_F(StartupSequenceTest, WorkstationVariables)
{
    struct Case {
        std::map<std::string, std::string> vars;
        std::int16_t pcLocal, nTerm;
        bool warned;
    } cases[] = {
        {{{"PCLocal", "3"}, {"NTerm", "7"}}, 3, 7, false},
        {{{"PCLocal", " 12 "}}, 12, 0, false},       // NTerm missing: 0, nobody needs it
        {{{"PCLocal", "3"}, {"NTerm", "x"}}, 3, 0, false},
        {{}, 0, 0, true},                            // PCLocal missing: FD0, with a warning
        {{{"PCLocal", ""}}, 0, 0, true},
        {{{"PCLocal", "abc"}}, 0, 0, true},
        {{{"PCLocal", "70000"}}, 0, 0, true},
        {{{"PCLocal", "2.5"}}, 0, 0, true},
    };
    for (const auto& c : cases) {
        TempFolder folder;
        ravelt::testing::makeRegistry(folder, {"AB"});
        ProgramState st;
        RecordingPresenter told;
        MapEnvironment vars(c.vars);
        StartupSequence s(st, folder.path(), vars, &told, [&] { st.AccessoConsentito = "S"; });
        EXPECT_TRUE(s.load());
        EXPECT_EQ(st.PCLocal, c.pcLocal);
        EXPECT_EQ(st.NTerm, c.nTerm);
        EXPECT_EQ(told.told("FD0"), c.warned);
    }
}

TEST_F(StartupSequenceTest, ActivationCreatesColumnStoreAndResetsMonths)
{
    ravelt::testing::makeRegistry(dir, {"AB"});
    auto s = sequence();
    ASSERT_TRUE(s.load());
    state.GiorniMese[2] = 29;
    state.NumeroHotel = 0;
    EXPECT_TRUE(s.activate());
    EXPECT_EQ(state.GiorniMese, (std::array<std::int16_t, 13>{0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31}));
    EXPECT_EQ(state.NumeroHotel, 1);
    ASSERT_TRUE(storeExists(dir.path(), "ColonneRavelt.mdb"));
    auto db = Database::OpenDatabase("ColonneRavelt.mdb", dir.path());
    auto rs = db->OpenRecordset("ColonneRavelt");
    EXPECT_EQ(rs->RecordCount(), 0);
    EXPECT_EQ(rs->fieldCount(), 5);
}

TEST_F(StartupSequenceTest, ActivationKeepsAnExistingColumnStore)
{
    ravelt::testing::makeRegistry(dir, {"AB"});
    createStore(dir.path(), "ColonneRavelt.mdb");
    Database::OpenDatabase("ColonneRavelt.mdb", dir.path())
        ->Execute("INSERT INTO ColonneRavelt VALUES (1, 1, 'Contanti', 'CA', 'Cassa')");
    auto s = sequence();
    ASSERT_TRUE(s.load());
    EXPECT_TRUE(s.activate());
    EXPECT_EQ(Database::OpenDatabase("ColonneRavelt.mdb", dir.path())->OpenRecordset("ColonneRavelt")->RecordCount(), 1);
}

TEST_F(StartupSequenceTest, ColumnStoreFailureIsToldOnce)
{
    ravelt::testing::makeRegistry(dir, {"AB"});
    std::filesystem::create_directory(storePath(dir.path(), "ColonneRavelt.mdb"));  // in the way
    auto s = sequence();
    ASSERT_TRUE(s.load());
    EXPECT_TRUE(s.activate());
    EXPECT_TRUE(s.activate());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.told("ColonneRavelt"));
    EXPECT_EQ(state.NumeroHotel, 1);
}
