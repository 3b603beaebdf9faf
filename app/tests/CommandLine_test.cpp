#include "platform/Database.h"
#include "testing/TempFolder.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace ravelt;

namespace {

struct Outcome {
    int status;
    std::string out;  // standard output and error together
};

// Runs the program in 'folder' with the given arguments and environment assignments,
// standard input from /dev/null (no terminal), as a night-audit script would.
Outcome run(const std::filesystem::path& folder, const std::string& args, const std::string& env = "")
{
    std::string cmd = "cd '" + folder.string() + "' && env -u RAVELT_PASSWORD PCLocal=3 " + env + " '" RAVELT_EXE "' " + args +
                      " < /dev/null 2>&1";
    Outcome r{-1, {}};
    FILE* p = popen(cmd.c_str(), "r");
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    int status = pclose(p);
    r.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

class CommandLine : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        demo = new ravelt::testing::TempFolder();
        Outcome r = run(demo->path(), "demo hotel --days 40 --from 01/01/2024 --rooms 20 --seed 5");
        ASSERT_EQ(r.status, 0) << r.out;
    }
    static void TearDownTestSuite() { delete demo; }
    std::filesystem::path hotel() const { return demo->path() / "hotel"; }
    static ravelt::testing::TempFolder* demo;
};

ravelt::testing::TempFolder* CommandLine::demo = nullptr;

TEST_F(CommandLine, ReportWritesTheWorkstationsReportFile)
{
    std::filesystem::remove(hotel() / "FD3");
    Outcome r = run(hotel(), "report --from 01/01/2024 --to 31/01/2024 --type Fatture --counter 1");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("FD3"), std::string::npos) << r.out;
    EXPECT_TRUE(std::filesystem::is_regular_file(hotel() / "FD3"));
}

TEST_F(CommandLine, BadArgumentsAreRefusedWithAClearMessage)
{
    struct Case {
        const char* args;
        const char* message;
    } cases[] = {
        {"report --from 31/02/2024 --to 01/03/2024", "data iniziale non valida"},
        {"report --from 01/01/2024 --to 1/3/24", "data finale non valida"},
        {"report --from 02/01/2024 --to 01/01/2024", "successiva"},
        {"report --from 01/01/2024 --to 02/01/2024 --type Altro", "tipo documento sconosciuto"},
        {"report --from 01/01/2024 --to 02/01/2024 --counter abc", "contatore non valido"},
        {"report --from 01/01/2024 --to 02/01/2024 --counter 70000", "contatore non valido"},
        {"report --from 01/01/2024 --to 02/01/2024 --colour red", "opzione sconosciuta"},
        {"report --from 01/01/2024", "uso:"},
        {"demo hotel", "contiene gia'"},  // the folder holds a working folder already
    };
    for (const auto& c : cases) {
        Outcome r = run(demo->path() / (std::string(c.args).rfind("demo", 0) == 0 ? "" : "hotel"), c.args);
        EXPECT_NE(r.status, 0) << c.args;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.args << ": " << r.out;
    }
}

TEST_F(CommandLine, AFailedRunLeavesThePreviousReport)
{
    ravelt::testing::TempFolder copy;
    for (const auto& e : std::filesystem::directory_iterator(hotel()))
        std::filesystem::copy(e.path(), copy.path() / e.path().filename());
    ASSERT_EQ(run(copy.path(), "report --from 01/01/2024 --to 05/01/2024").status, 0);
    std::string before = copy.read("FD3");
    std::filesystem::remove(copy / "Fatture.sqlite");
    Outcome r = run(copy.path(), "report --from 01/01/2024 --to 06/01/2024");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("Fatture.mdb"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Dettaglio forme di incasso"), std::string::npos) << r.out;
    EXPECT_EQ(copy.read("FD3"), before);
}

TEST_F(CommandLine, AFolderWithoutTheHotelRegistryIsRefused)
{
    ravelt::testing::TempFolder empty;
    Outcome r = run(empty.path(), "report --from 01/01/2024 --to 02/01/2024");
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.out.find("AnagraficaHotels.mdb"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(empty / "FD3"));
}

// The support code "P" asks for the management password: ABC, stored as 567 with the
// check value 1404.
TEST_F(CommandLine, TheManagementGateAppliesWithoutWindows)
{
    ravelt::testing::TempFolder copy;
    for (const auto& e : std::filesystem::directory_iterator(hotel()))
        std::filesystem::copy(e.path(), copy.path() / e.path().filename());
    std::filesystem::remove(copy / "FD3");
    Database::OpenDatabase("AnagraficaHotels.mdb", copy.path())->Execute("UPDATE AnagraficaHotels SET CodiceAssistenza = 'P'");
    copy.write("Security.pwd", "567,1404\r\n");
    const std::string args = "report --from 01/01/2024 --to 02/01/2024";

    Outcome wrong = run(copy.path(), args, "RAVELT_PASSWORD=abd");
    EXPECT_NE(wrong.status, 0);
    EXPECT_FALSE(std::filesystem::exists(copy / "FD3"));

    Outcome none = run(copy.path(), args);
    EXPECT_NE(none.status, 0);
    EXPECT_NE(none.out.find("RAVELT_PASSWORD"), std::string::npos) << none.out;

    Outcome right = run(copy.path(), args, "RAVELT_PASSWORD=' abc '");
    EXPECT_EQ(right.status, 0) << right.out;
    EXPECT_TRUE(std::filesystem::exists(copy / "FD3"));
}

}

namespace {

TEST_F(CommandLine, PrintAndCsvWorkOnTheWorkstationsReport)
{
    ravelt::testing::TempFolder copy;
    for (const auto& e : std::filesystem::directory_iterator(hotel()))
        std::filesystem::copy(e.path(), copy.path() / e.path().filename());
    std::filesystem::remove(copy / "FD3");

    Outcome missing = run(copy.path(), "print --pdf", "DISPLAY=");
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.out.find("FD3"), std::string::npos) << missing.out;

    ASSERT_EQ(run(copy.path(), "report --from 01/01/2024 --to 31/01/2024").status, 0);
    Outcome pdf = run(copy.path(), "print --pdf", "DISPLAY=");
    EXPECT_EQ(pdf.status, 0) << pdf.out;
    bool found = false;
    for (const auto& e : std::filesystem::directory_iterator(copy.path()))
        if (e.path().extension() == ".pdf") {
            found = true;
            EXPECT_EQ(copy.read(e.path().filename().string()).substr(0, 5), "%PDF-");
        }
    EXPECT_TRUE(found) << pdf.out;

    Outcome csv = run(copy.path(), "csv", "DISPLAY=");
    EXPECT_EQ(csv.status, 0) << csv.out;
    EXPECT_NE(csv.out.find("fd3.csv"), std::string::npos) << csv.out;
    EXPECT_NE(copy.read("fd3.csv").find("01/01/2024"), std::string::npos);

    Outcome unknown = run(copy.path(), "print --destination Nessuna", "DISPLAY=");
    EXPECT_NE(unknown.status, 0);
    EXPECT_NE(unknown.out.find("Nessuna"), std::string::npos) << unknown.out;
}

}
