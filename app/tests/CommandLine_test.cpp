#include "app/CommandLine.h"
#include "platform/Database.h"
#include "shell/program_state.h"
#include "testing/TempFolder.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <algorithm>
#include <gtest/gtest.h>
#include <optional>
#include <regex>
#include <sstream>
#include <sys/wait.h>

using namespace ravelt;

namespace {

struct Outcome {
    int status;
    std::string out;  // standard output and error together
};

// Runs the program in 'folder' with the given arguments and environment assignments,
// standard input from /dev/null (no terminal), as a night-audit script would. 'streams'
// says which of its streams are read: both, unless told otherwise.
Outcome run(const std::filesystem::path& folder, const std::string& args, const std::string& env = "",
            const std::string& streams = "2>&1")
{
    std::string cmd = "cd '" + folder.string() + "' && env -u RAVELT_PASSWORD PCLocal=3 " + env + " '" RAVELT_EXE "' " + args +
                      " < /dev/null " + streams;
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

// The demo hotel takes forms of payment that no column gathers (09 and 10): a month's
// report lists them with their counts and amounts on the error stream and still ends
// well, unless --strict. Put 09 in a headed column of its own, and that column's total
// is the amount the list gave for 09.
TEST_F(CommandLine, PaymentsInNoColumnAreListedAndAddUpOnceInAColumn)
{
    ravelt::testing::TempFolder copy;
    std::filesystem::copy(hotel(), copy.path(), std::filesystem::copy_options::recursive);
    Outcome r = run(copy.path(), "report --from 01/01/2024 --to 31/01/2024", "", "2>&1 >/dev/null");
    ASSERT_EQ(r.status, 0) << r.out;
    std::smatch m09, m10;
    ASSERT_TRUE(std::regex_search(r.out, m09, std::regex("\n  09 [^:\n]*: ([0-9]+) pagament[oi], (?:[0-9]+ voc[ei] estern[ae], )?(-?[0-9.]+,[0-9]{2})\n"))) << r.out;
    ASSERT_TRUE(std::regex_search(r.out, m10, std::regex("\n  10 [^:\n]*: ([0-9]+) pagament[oi], (?:[0-9]+ voc[ei] estern[ae], )?(-?[0-9.]+,[0-9]{2})\n"))) << r.out;
    EXPECT_GT(std::stol(m09[1]), 0);
    EXPECT_GT(std::stol(m10[1]), 0);
    EXPECT_EQ(run(copy.path(), "report --from 01/01/2024 --to 31/01/2024 --strict").status, 3);

    Database::OpenDatabase("ColonneRavelt.mdb", copy.path())->Execute("Insert Into ColonneRavelt Values (1, 7, 'AGENZIE', '09', '')");
    Outcome again = run(copy.path(), "report --from 01/01/2024 --to 31/01/2024", "", "2>&1 >/dev/null");
    ASSERT_EQ(again.status, 0) << again.out;
    EXPECT_EQ(again.out.find("\n  09 "), std::string::npos) << again.out;
    EXPECT_NE(again.out.find("\n  10 "), std::string::npos) << again.out;

    // The report's framed lines: the headings, then the days, then the totals.
    std::ifstream in(copy.path() / "FD3", std::ios::binary);
    std::vector<std::vector<std::string>> framed;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] != '\xB3')
            continue;
        std::vector<std::string> cells;
        std::size_t from = 1;
        for (std::size_t bar; (bar = line.find('\xB3', from)) != std::string::npos; from = bar + 1) {
            std::string cell = line.substr(from, bar - from);
            cell.erase(0, cell.find_first_not_of(' '));
            cell.erase(cell.find_last_not_of(' ') + 1);
            cells.push_back(cell);
        }
        framed.push_back(cells);
    }
    ASSERT_GE(framed.size(), 2u);
    const auto& headings = framed.front();
    const auto column = std::find(headings.begin(), headings.end(), "AGENZIE");
    ASSERT_NE(column, headings.end());
    EXPECT_EQ(framed.back().at(static_cast<std::size_t>(column - headings.begin())), m09[2].str());
}

// --folder names the working folder from anywhere, before the command's name or among
// its options; the last one given counts. Nothing is written where the command started.
TEST_F(CommandLine, FolderNamesTheWorkingFolderBeforeOrAfterTheCommand)
{
    const std::string h = hotel().string();
    struct Case {
        std::string args;
        const char* written;  // in the hotel
    } cases[] = {
        {"--folder " + h + " report --from 01/01/2024 --to 05/01/2024", "FD3"},
        {"report --from 01/01/2024 --to 05/01/2024 --folder=" + h, "FD3"},
        {"--folder /nonexistent --folder=" + h + " report --from 01/01/2024 --to 05/01/2024", "FD3"},
        {"--folder /nonexistent report --from 01/01/2024 --to 05/01/2024 --folder " + h, "FD3"},
        {"csv --folder " + h, "fd3.csv"},
    };
    for (const auto& c : cases) {
        ravelt::testing::TempFolder elsewhere;
        std::filesystem::remove(hotel() / c.written);
        const Outcome r = run(elsewhere.path(), c.args);
        EXPECT_EQ(r.status, 0) << c.args << ": " << r.out;
        EXPECT_TRUE(std::filesystem::is_regular_file(hotel() / c.written)) << c.args;
        EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path())) << c.args;
    }
}

// A folder that cannot be worked in is a wrong argument: exit 2, the reason naming the
// folder, the usage, nothing written anywhere.
TEST_F(CommandLine, AFolderThatCannotBeUsedIsAWrongArgument)
{
    ravelt::testing::TempFolder elsewhere;
    elsewhere.write("file", "");
    const std::string file = (elsewhere.path() / "file").string();
    struct Case {
        std::string args;
        std::string reason;
        const char* usage;
    } cases[] = {
        {"--folder /nonexistent/hotel report --from 01/01/2024 --to 05/01/2024",
         "ravelt report: la cartella di lavoro \"/nonexistent/hotel\" non esiste", "uso: ravelt report"},
        {"csv --folder " + file, "ravelt csv: la cartella di lavoro \"" + file + "\" non è una cartella", "uso: ravelt csv"},
        {"csv --folder=", "ravelt csv: la cartella di lavoro \"\" non è indicata", "uso: ravelt csv"},
        {"--folder", "ravelt: manca il valore dell'opzione \"--folder\"", "uso:\n  ravelt"},
        {"csv --folder", "ravelt csv: manca il valore dell'opzione \"--folder\"", "uso: ravelt csv"},
        {"--folder " + hotel().string() + " bogus", "ravelt: comando sconosciuto: \"bogus\"", "uso:\n  ravelt"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(elsewhere.path(), c.args);
        EXPECT_EQ(r.status, 2) << c.args << ": " << r.out;
        EXPECT_NE(r.out.find(c.reason), std::string::npos) << c.args << ": " << r.out;
        EXPECT_NE(r.out.find(c.usage), std::string::npos) << c.args << ": " << r.out;
        EXPECT_EQ(ravelt::testing::fileNames(elsewhere.path()), std::vector<std::string>{"file"}) << c.args;
    }
}

// The folder of a new demo hotel is read from the working folder, as any relative name.
TEST(CommandLineFolder, DemoMakesItsFolderInTheWorkingFolder)
{
    ravelt::testing::TempFolder root, elsewhere;
    const Outcome r = run(elsewhere.path(), "--folder " + root.path().string() + " demo nuovo --days 2 --rooms 2");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_TRUE(std::filesystem::is_regular_file(root / "nuovo/AnagraficaHotels.sqlite")) << r.out;
    EXPECT_TRUE(std::filesystem::is_empty(elsewhere.path()));
}

// Only a command line that names a folder and nothing else opens the window there.
TEST(CommandLineFolder, TheWindowsFolderIsACommandLineOfOnlyAFolder)
{
    struct Case {
        std::vector<std::string> args;
        std::optional<std::string> folder;
    } cases[] = {
        {{"--folder", "/srv/hotel"}, "/srv/hotel"},
        {{"--folder=/srv/hotel"}, "/srv/hotel"},
        {{"--folder", "/a", "--folder", "/b"}, "/b"},
        {{"--folder"}, std::nullopt},
        {{"--folder", "/srv/hotel", "csv"}, std::nullopt},
        {{"csv", "--folder", "/srv/hotel"}, std::nullopt},
        {{"--help"}, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ravelt::windowFolder(c.args), c.folder) << ::testing::PrintToString(c.args);
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
        {"report --from 01/01/2024", "servono --from e --to"},
        {"report", "servono --from e --to, oppure --period"},
        {"report --period yesterday --from 01/01/2024", "--period non va insieme"},
        {"report --period domani", "periodo sconosciuto"},
        {"demo hotel", "contiene già"},  // the folder holds a working folder already
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

namespace {

// A copy of the demo working folder, for a test that writes or removes files in it.
void copyFolder(const std::filesystem::path& from, const std::filesystem::path& to)
{
    std::filesystem::create_directories(to);
    for (const auto& e : std::filesystem::directory_iterator(from))
        if (e.is_regular_file())
            std::filesystem::copy(e.path(), to / e.path().filename());
}

// What a demo folder's summary says of its contents: the counts, without the folder's
// name and the time taken.
std::string demoCounts(const std::string& out)
{
    size_t from = out.find(": "), to = out.find(';');
    return from == std::string::npos || to == std::string::npos ? "" : out.substr(from, to - from);
}

// Every numeric option of every command reads its number as the window reads the
// counter: blanks around it are dropped, anything else is refused.
TEST_F(CommandLine, NumbersWithBlanksAroundThemReadAlikeForEveryOption)
{
    struct Value {
        const char* text;
        bool accepted;
    } values[] = {
        {"5", true},    {" 5", true},   {"5 ", true},  {"  5  ", true}, {"+5", true},   {"5 5", false},
        {"5x", false},  {"", false},    {" ", false},  {"\t5", false},  {"5.0", false}, {"0x5", false},
    };
    ravelt::testing::TempFolder demos;
    const std::vector<std::pair<std::string, std::string>> small = {{"days", "3"}, {"rooms", "2"}, {"seed", "3"}};
    for (const auto& [option, unused] : small) {
        std::string others;
        for (const auto& [name, value] : small)
            if (name != option)
                others += " --" + name + " " + value;
        Outcome plain = run(demos.path(), "demo " + option + others + " --" + option + " 5");
        ASSERT_EQ(plain.status, 0) << plain.out;
        int n = 0;
        for (const auto& v : values) {
            const std::string folder = option + std::to_string(n++);
            Outcome r = run(demos.path(), "demo " + folder + others + " --" + option + " '" + v.text + "'");
            EXPECT_EQ(r.status == 0, v.accepted) << option << " '" << v.text << "': " << r.out;
            if (v.accepted)
                EXPECT_EQ(demoCounts(r.out), demoCounts(plain.out)) << option << " '" << v.text << "'";
            else
                EXPECT_NE(r.out.find("non valido"), std::string::npos) << option << " '" << v.text << "': " << r.out;
        }
    }
    for (const auto& v : values) {
        Outcome r = run(hotel(), std::string("report --from 01/01/2024 --to 02/01/2024 --counter '") + v.text + "'");
        EXPECT_EQ(r.status == 0, v.accepted) << "--counter '" << v.text << "': " << r.out;
        EXPECT_NE(r.out.find(v.accepted ? "contatore 5)" : "contatore non valido"), std::string::npos)
            << "--counter '" << v.text << "': " << r.out;
    }
}

// A period longer than a hundred years is refused before anything runs, whichever way
// its dates are typed; the previous report stays as it was.
TEST_F(CommandLine, APeriodOfMoreThanAHundredYearsIsRefused)
{
    ravelt::testing::TempFolder copy;
    copyFolder(hotel(), copy.path());
    ASSERT_EQ(run(copy.path(), "report --from 01/01/2024 --to 05/01/2024").status, 0);
    const std::string before = copy.read("FD3");
    struct Case {
        const char* from;
        const char* to;
        const char* message;
    } cases[] = {
        {"01/01/1900", "31/12/9999", "anteriore al 01/01/2000"},
        {"01/01/2000", "01/01/2100", "anteriore al 01/01/2100"},
        {"01012000", "02012100", "anteriore al 01/01/2100"},
        {"29/02/2000", "29/02/2100", "anteriore al 29/02/2100"},
    };
    for (const auto& c : cases) {
        Outcome r = run(copy.path(), std::string("report --from ") + c.from + " --to " + c.to);
        EXPECT_NE(r.status, 0) << c.from << " - " << c.to;
        EXPECT_NE(r.out.find("100 anni"), std::string::npos) << c.from << " - " << c.to << ": " << r.out;
        EXPECT_NE(r.out.find(c.message), std::string::npos) << c.from << " - " << c.to << ": " << r.out;
        EXPECT_EQ(copy.read("FD3"), before) << c.from << " - " << c.to;
    }
}

// The table-print name is a plain name of the working folder. The fixture puts a good
// definition where each refused name would lead (the parent folder, a subfolder), so a
// name that reached outside would print.
TEST_F(CommandLine, TablePrintTakesOnlyAPlainNameOfTheWorkingFolder)
{
    ravelt::testing::TempFolder root;
    const std::filesystem::path work = root / "hotel";
    copyFolder(hotel(), work);
    std::filesystem::remove(work / "FD3");
    std::filesystem::create_directories(work / "a");
    for (const auto& to : {root / "x.stp", work / "a" / "b.stp", work / "a\\b.stp", work / "..stp", work / "...stp"})
        std::filesystem::copy_file(work / "ColonneRavelt.stp", to);
    struct Case {
        std::string name;
        const char* reason;
    } cases[] = {
        {"../x", "contiene \"/\""},
        {"../x.stp", "contiene \"/\""},
        {(root / "x").string(), "contiene \"/\""},
        {"a/b", "contiene \"/\""},
        {"a\\b", "contiene \"\\\""},
        {"..", "non è un nome di file"},
        {".", "non è un nome di file"},
        {"", "manca il nome della stampa"},
        {std::string(252, 'n'), "(252 caratteri) non è il nome di una stampa della cartella di lavoro: è più lungo di 251"},
    };
    for (const auto& c : cases) {
        Outcome r = run(work, "table-print '" + c.name + "'");
        EXPECT_EQ(r.status, 2) << "'" << c.name << "': " << r.out;
        EXPECT_NE(r.out.find(c.reason), std::string::npos) << "'" << c.name << "': " << r.out;
        EXPECT_NE(r.out.find("cartella di lavoro"), std::string::npos) << "'" << c.name << "': " << r.out;
        EXPECT_FALSE(std::filesystem::exists(work / "FD3")) << "'" << c.name << "'";
    }
    Outcome plain = run(work, "table-print ColonneRavelt");
    EXPECT_EQ(plain.status, 0) << plain.out;
    EXPECT_TRUE(std::filesystem::exists(work / "FD3"));
}

}

namespace {

// A command line run in-process, its two streams apart.
struct Streams {
    int code;
    std::string out, err;
};

Streams runIn(const std::filesystem::path& folder, const std::vector<std::string>& args)
{
    ravelt::testing::CurrentFolder here(folder);
    std::ostringstream out, err;
    ravelt::ProgramState state;  // each run opens the workstation, as a new process does
    const int code = ravelt::runCommandLine(args, {out, err}, state);
    return {code, out.str(), err.str()};
}

// The help of the program and of each command: on the output stream, exit 0, naming the
// command's options and giving an example of it.
TEST(CommandLineUsage, HelpIsWrittenOnTheOutputAndExitsZero)
{
    struct Case {
        std::vector<std::string> args;
        std::vector<std::string> said;
    } cases[] = {
        {{"--help"},
         {"uso:\n", "ravelt report [--from GG/MM/AAAA] [--to GG/MM/AAAA] [--period NOME] [--type Tutti|Fatture|Ricevute] [--counter N] [--strict]\n",
          "ravelt print [--destination NOME | --pdf] [--normal] [--landscape] [--duplex] [--printer DISPOSITIVO]\n",
          "ravelt csv\n", "ravelt mail\n", "ravelt table-print NOME\n",
          "ravelt demo CARTELLA [--days N] [--from GG/MM/AAAA] [--seed S] [--rooms N] [--database CONNINFO]\n",
          "ravelt migrate --to CONNINFO [--replace]\n", "ravelt COMANDO --help",
          "ravelt --version", "RAVELT_PASSWORD"}},
        {{"-h"}, {"uso:\n", "ravelt table-print NOME\n"}},
        {{"report", "--help"},
         {"uso: ravelt report [--from", "\n  --from GG/MM/AAAA ", "\n  --to GG/MM/AAAA ", "\n  --type Tutti|Fatture|Ricevute ",
          "\n  --counter N ", "\n  -h, --help ", "esempio:\n  ravelt report --from "}},
        {{"print", "-h"},
         {"uso: ravelt print [--destination NOME | --pdf]", "\n  --destination NOME ", "\n  --pdf ", "\n  --normal ",
          "\n  --landscape ", "\n  --duplex ", "\n  --printer DISPOSITIVO ", "esempio:\n  ravelt print "}},
        {{"csv", "--help"}, {"uso: ravelt csv\n", "SeparatoreXLS.txt", "esempio:\n  ravelt csv\n"}},
        {{"mail", "--help"}, {"uso: ravelt mail\n", "spedix", "esempio:\n  ravelt mail\n"}},
        {{"table-print", "--help"}, {"uso: ravelt table-print NOME\n", "NOME.stp", "esempio:\n  ravelt table-print "}},
        {{"demo", "--help"},
         {"uso: ravelt demo CARTELLA", "\n  --days N ", "\n  --from GG/MM/AAAA ", "\n  --seed S ", "\n  --rooms N ",
          "\n  --database CONNINFO ", "esempio:\n  ravelt demo "}},
        {{"migrate", "--help"},
         {"uso: ravelt migrate --to CONNINFO [--replace]\n", "\n  --to CONNINFO ", "\n  --replace ", "Database.txt",
          "esempio:\n  ravelt migrate --to "}},
        // help wins over whatever else is wrong on the command line
        {{"report", "--from", "01/01/2024", "--help", "--colour"}, {"uso: ravelt report [--from", "esempio:"}},
        {{"table-print", "A", "B", "--help"}, {"uso: ravelt table-print NOME\n"}},
        {{"print", "--colore", "--pdf=si", "-h"}, {"uso: ravelt print [--destination"}},
    };
    ravelt::testing::TempFolder dir;
    for (const auto& c : cases) {
        const std::string what = ::testing::PrintToString(c.args);
        const Streams r = runIn(dir.path(), c.args);
        EXPECT_EQ(r.code, 0) << what << ": " << r.err;
        EXPECT_EQ(r.err, "") << what;
        for (const auto& s : c.said)
            EXPECT_NE(r.out.find(s), std::string::npos) << what << " lacks \"" << s << "\":\n" << r.out;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "help opens and writes nothing";
}

// The program itself answers on its own standard output and error as the commands do on
// the streams they are given.
TEST(CommandLineUsage, TheProgramAnswersOnItsStandardStreams)
{
    ravelt::testing::TempFolder dir;
    const std::string onlyOut = "2>/dev/null", onlyErr = "2>&1 >/dev/null";
    struct Case {
        const char* args;
        const std::string& streams;
        int status;
        std::string said;  // the whole of what the stream read holds begins with it
    } cases[] = {
        {"--version", onlyOut, 0, std::string("ravelt ") + RAVELT_VERSION + "\n"},
        {"--help", onlyOut, 0, "uso:\n"},
        {"report --help", onlyOut, 0, "uso: ravelt report [--from"},
        {"--help", onlyErr, 0, ""},
        {"bogus", onlyOut, 2, ""},
        {"bogus", onlyErr, 2, "ravelt: comando sconosciuto: \"bogus\"\nuso:\n"},
        {"print --pdf=si", onlyErr, 2, "ravelt print: l'opzione --pdf non vuole un valore"},
    };
    for (const auto& c : cases) {
        const Outcome r = run(dir.path(), c.args, "", c.streams);
        EXPECT_EQ(r.status, c.status) << c.args << " " << c.streams << ": " << r.out;
        EXPECT_EQ(r.out.substr(0, c.said.size()), c.said) << c.args << " " << c.streams;
        if (c.said.empty() || c.args == std::string("--version")) {
            EXPECT_EQ(r.out, c.said) << c.args << " " << c.streams;
        }
    }
}

TEST(CommandLineUsage, VersionIsTheProjectsOnTheOutput)
{
    ravelt::testing::TempFolder dir;
    const Streams r = runIn(dir.path(), {"--version"});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, std::string("ravelt ") + RAVELT_VERSION + "\n");
    EXPECT_EQ(r.err, "");
    EXPECT_TRUE(std::regex_match(RAVELT_VERSION, std::regex("[0-9]+\\.[0-9]+\\.[0-9]+"))) << RAVELT_VERSION;
}

// A command line of the wrong shape or with a value that cannot be read: the reason and
// the usage (the command's, or the program's for an unknown command) on the error
// stream, nothing on the output, exit 2, and nothing opened or written.
TEST(CommandLineUsage, WrongCommandLinesGiveTheUsageOnTheErrorStreamAndExitTwo)
{
    const std::string program = "uso:\n  ravelt ";
    struct Case {
        std::vector<std::string> args;
        const char* reason;
        std::string usage;
    } cases[] = {
        {{"bogus"}, "ravelt: comando sconosciuto: \"bogus\"", program},
        {{"Report"}, "comando sconosciuto: \"Report\"", program},
        {{"--bogus"}, "ravelt: opzione sconosciuta: \"--bogus\"", program},
        {{"report", "--from", "01/01/2024", "--to", "02/01/2024", "--colour", "red"}, "opzione sconosciuta: \"--colour\"",
         "uso: ravelt report [--from"},
        {{"report", "--to", "02/01/2024", "--from"}, "manca il valore dell'opzione \"--from\"", "uso: ravelt report [--from"},
        {{"report", "--from", "01/01/2024"}, "servono --from e --to", "uso: ravelt report [--from"},
        {{"report", "--from", "01/01/2024", "--to", "02/01/2024", "3"}, "argomento inatteso: \"3\"", "uso: ravelt report"},
        {{"report", "--from=31/02/2024", "--to", "01/03/2024"}, "data iniziale non valida", "uso: ravelt report"},
        {{"report", "--from", "01/01/2024", "--to", "02/01/2024", "--type", "tutti"}, "tipo documento sconosciuto",
         "uso: ravelt report"},
        {{"print", "--colore"}, "opzione sconosciuta", "uso: ravelt print [--destination"},
        {{"print", "--destination"}, "manca il valore", "uso: ravelt print [--destination"},
        {{"print", "--pdf", "--destination", "Laser"}, "--destination e --pdf non vanno insieme", "uso: ravelt print"},
        {{"print", "--pdf=si"}, "l'opzione --pdf non vuole un valore", "uso: ravelt print"},
        {{"print", "--normal", "si"}, "argomento inatteso: \"si\"", "uso: ravelt print"},
        {{"csv", "altro"}, "argomento inatteso: \"altro\"", "uso: ravelt csv\n"},
        {{"mail", "--to", "chi@example.org"}, "opzione sconosciuta: \"--to\"", "uso: ravelt mail\n"},
        {{"table-print"}, "manca l'argomento NOME", "uso: ravelt table-print NOME\n"},
        {{"table-print", "A", "B"}, "argomento inatteso: \"B\"", "uso: ravelt table-print NOME\n"},
        {{"table-print", "-A"}, "opzione sconosciuta: \"-A\"", "uso: ravelt table-print NOME\n"},
        {{"demo"}, "manca l'argomento CARTELLA", "uso: ravelt demo CARTELLA"},
        {{"demo", "hotel", "--days"}, "manca il valore dell'opzione \"--days\"", "uso: ravelt demo CARTELLA"},
        {{"demo", "hotel", "--rooms", "0"}, "numero di camere non valido", "uso: ravelt demo CARTELLA"},
        {{"demo", "hotel", "--database", " "}, "la stringa di connessione di --database è vuota", "uso: ravelt demo CARTELLA"},
        {{"migrate"}, "manca l'opzione --to", "uso: ravelt migrate --to CONNINFO"},
        {{"migrate", "--to="}, "la stringa di connessione di --to è vuota", "uso: ravelt migrate --to CONNINFO"},
        {{"migrate", "--to", "dbname=x", "--replace=si"}, "l'opzione --replace non vuole un valore", "uso: ravelt migrate"},
    };
    ravelt::testing::TempFolder dir;
    for (const auto& c : cases) {
        const std::string what = ::testing::PrintToString(c.args);
        const Streams r = runIn(dir.path(), c.args);
        EXPECT_EQ(r.code, 2) << what << ": " << r.err;
        EXPECT_EQ(r.out, "") << what;
        EXPECT_NE(r.err.find(c.reason), std::string::npos) << what << ": " << r.err;
        EXPECT_NE(r.err.find(c.usage), std::string::npos) << what << ": " << r.err;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "nothing is opened or written";
}

// Every command writes its result on the output stream it is given and its messages on
// the error stream, the start-up's and the gate's included; none on the process's own.
TEST(CommandLineStreams, EveryCommandWritesThroughTheStreamsItIsGiven)
{
    ravelt::testing::TempFolder dir;
    ::setenv("PCLocal", "4", 1);
    ::unsetenv("RAVELT_PASSWORD");
    struct Case {
        const char* folder;  // under the test's folder
        std::vector<std::string> args;
        int code;
        const char* out;  // in the output; the error stream must then be empty, or hold 'err'
        const char* err;  // in the errors
    } cases[] = {
        {"", {"demo", "hotel", "--days", "3", "--rooms", "2"}, 0, "Cartella demo hotel: ", nullptr},
        // The demo's payments of the forms no column gathers are listed among the messages.
        {"hotel", {"report", "--from", "01/01/2026", "--to", "03/01/2026"}, 0, "FD4 (3 giorni, dal 01/01/2026", "\n  10 Omaggio: "},
        {"hotel", {"csv"}, 0, "fd4.csv\n", nullptr},
        {"hotel", {"table-print", "ColonneRavelt"}, 0, "righe della tabella)\n", nullptr},
        {"hotel", {"table-print", "Nessuna"}, 1, nullptr, "Nessuna.stp"},
        {"", {"report", "--from", "01/01/2026", "--to", "03/01/2026"}, 1, nullptr, "AnagraficaHotels.mdb"},
        {"", {"csv"}, 1, nullptr, "AnagraficaHotels.mdb"},
        {"", {"mail"}, 1, nullptr, "AnagraficaHotels.mdb"},
        {"", {"table-print", "ColonneRavelt"}, 1, nullptr, "AnagraficaHotels.mdb"},
        {"", {"demo", "hotel"}, 1, nullptr, "ravelt demo: "},  // the folder holds a working folder already
        {"", {"migrate", "--to", "host=/nessuno dbname=x"}, 1, nullptr, "non contiene archivi da copiare"},
    };
    for (const auto& c : cases) {
        const std::string what = ::testing::PrintToString(c.args);
        const Streams r = runIn(dir / c.folder, c.args);
        EXPECT_EQ(r.code, c.code) << what << ": " << r.err;
        if (c.out) {
            EXPECT_NE(r.out.find(c.out), std::string::npos) << what << ": " << r.out;
            if (c.err) {
                EXPECT_NE(r.err.find(c.err), std::string::npos) << what << ": " << r.err;
            } else {
                EXPECT_EQ(r.err, "") << what;
            }
        } else {
            EXPECT_NE(r.err.find(c.err), std::string::npos) << what << ": " << r.err;
            EXPECT_EQ(r.out, "") << what;
        }
    }
    ::unsetenv("PCLocal");
}

}
