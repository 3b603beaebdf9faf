// Times the cash-detail report over demo hotels of growing size and prints, for each
// run, the wall time of the report, the statements prepared on the stores, the rows the
// column amounts read and the peak memory of the process; and, for comparison, one
// plain scan of the same payments through the storage layer.
//
//   cashreport_bench [folder] [--database CONNINFO]
//
// The demo folders are made under 'folder' (a new temporary folder when none is given,
// removed at the end). Every measurement runs in a fresh process of this program, so
// each peak memory figure belongs to that measurement alone.
//
// With --database the 300-room year is made a second time with its stores on that
// PostgreSQL server (its folder's Database.txt names it; a server that already holds the
// demo's stores is used as it is, with the folder kept from the run that made them), and
// the same measurements are taken there: the same report from either engine. A
// throw-away server: bash scripts/pg-server.sh start DIR prints a CONNINFO.

#include "cashreport/CreaDettaglioCassa.h"
#include "demohotel/DemoHotel.h"
#include "platform/BulkInsert.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreLocation.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace ravelt;
namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long peakKilobytes()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

struct Folder {
    const char* name;
    int days;
    int rooms;
    const char* from;
    const char* to;
    bool onServer = false;
};

const Folder Folders[] = {
    {"month", 31, 75, "01/01/2026", "31/01/2026"},
    {"year", 365, 75, "01/01/2026", "31/12/2026"},
    {"year-4x", 365, 300, "01/01/2026", "31/12/2026"},
};

const Folder ServerFolder = {"year-4x-pg", 365, 300, "01/01/2026", "31/12/2026", true};

// The demo heads six columns; the benchmark heads all ten, the last one gathering every
// form of payment, so each payment counts in two columns.
void headTenColumns(const fs::path& folder)
{
    auto db = Database::OpenDatabase("ColonneRavelt.mdb", folder);
    db->BeginTrans();
    {
        BulkInsert rows(*db, "ColonneRavelt", {"NumeroHotel", "NumeroColonna", "Intestazione", "Sigla", "Descrizione"});
        rows.insert({Value(1), Value(7), Value("AGENZIE"), Value("09"), Value("")});
        rows.insert({Value(1), Value(8), Value("OMAGGI"), Value("10"), Value("")});
        rows.insert({Value(1), Value(9), Value("BANCOMAT"), Value("03"), Value("")});
        for (const char* code : {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10"})
            rows.insert({Value(1), Value(10), Value("TUTTE"), Value(code), Value("")});
    }
    db->CommitTrans();
}

// Child: one report run; prints "ms queries rows days baselineKB peakKB".
int runReport(const fs::path& folder, const std::string& from, const std::string& to, bool statements)
{
    const FixedClock clock(DateTime{2026, 12, 31, 23, 59, 0});
    CashReportRequest r;
    r.folder = folder;
    r.startDate = from;
    r.endDate = to;
    r.documentType = "Tutti";
    r.PCLocal = 1;
    r.clock = &clock;
    r.path = statements ? AmountsPath::Statements : AmountsPath::Period;
    long baseline = peakKilobytes();
    auto start = Clock::now();
    CashReportResult result = CreaDettaglioCassa(r);
    double ms = millisecondsSince(start);
    std::printf("%.1f %ld %ld %ld %ld %ld\n", ms, result.queries, result.rowsRead, result.days, baseline, peakKilobytes());
    return 0;
}

// Child: one plain scan of the payments; prints "ms rows baselineKB peakKB".
int runScan(const fs::path& folder)
{
    auto db = Database::OpenDatabase("Fatture.mdb", folder);
    long rows = db->OpenRecordset("Select Count(*) As N From Incassi")->Fields("N").toInt();
    long baseline = peakKilobytes();
    auto start = Clock::now();
    auto rs = db->OpenRecordset("Select Sum(CurrencyUnits(Importo)) As Totale From Incassi");
    Currency total = Currency::fromUnits(rs->Fields("Totale").toInt());
    double ms = millisecondsSince(start);
    std::printf("%.1f %ld %ld %ld %s\n", ms, rows, baseline, peakKilobytes(), total.format().c_str());
    return 0;
}

// Runs this program again with the arguments and returns what it printed.
std::string child(const std::vector<std::string>& args)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        throw std::runtime_error("pipe");
    pid_t pid = fork();
    if (pid == 0) {
        dup2(pipeFds[1], STDOUT_FILENO);
        close(pipeFds[0]);
        close(pipeFds[1]);
        std::vector<char*> argv;
        std::string self = fs::read_symlink("/proc/self/exe").string();
        argv.push_back(self.data());
        std::vector<std::string> copy = args;
        for (auto& a : copy)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(self.c_str(), argv.data());
        _exit(127);
    }
    close(pipeFds[1]);
    std::string out;
    char buf[256];
    ssize_t n;
    while ((n = read(pipeFds[0], buf, sizeof buf)) > 0)
        out.append(buf, static_cast<size_t>(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("measurement failed: " + out);
    return out;
}

struct ReportFigures {
    double ms = 0;
    long queries = 0, rows = 0, days = 0, baselineKb = 0, peakKb = 0;
};

ReportFigures parseReport(const std::string& line)
{
    ReportFigures f;
    std::sscanf(line.c_str(), "%lf %ld %ld %ld %ld %ld", &f.ms, &f.queries, &f.rows, &f.days, &f.baselineKb, &f.peakKb);
    return f;
}

void printReportRuns(const char* folder, const char* path, long payments, const std::vector<ReportFigures>& runs)
{
    std::vector<double> times;
    for (const auto& r : runs)
        times.push_back(r.ms);
    std::sort(times.begin(), times.end());
    const ReportFigures& f = runs.front();
    std::printf("%-8s %-10s %8ld %5ld %8.1f %8.1f %8.1f %8ld %8ld %7.1f %7.1f\n", folder, path, payments, f.days, times.front(),
                times[times.size() / 2], times.back(), f.queries, f.rows, f.baselineKb / 1024.0, f.peakKb / 1024.0);
}

int orchestrate(const fs::path& given, const std::string& conninfo)
{
    fs::path root = given;
    bool temporary = root.empty();
    if (temporary) {
        std::string pattern = (fs::temp_directory_path() / "cashreport-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a temporary folder");
        root = pattern;
    }
    std::printf("Cash-detail report over demo hotels (type Tutti, every counter, ten headed columns)\n");
    std::printf("Each report figure is the min / median / max of 5 runs, each in a fresh process.\n\n");

    std::vector<Folder> folders(std::begin(Folders), std::end(Folders));
    if (!conninfo.empty())
        folders.push_back(ServerFolder);
    std::vector<long> payments;
    for (const Folder& f : folders) {
        fs::path dir = root / f.name;
        long count = 0;
        const StoreLocation where = f.onServer ? StoreLocation::server(conninfo, dir) : StoreLocation::files(dir);
        if (!storeExists(where, "Fatture.mdb")) {
            DemoOptions o;
            o.days = f.days;
            o.rooms = f.rooms;
            o.databaseFile = f.onServer;
            auto start = Clock::now();
            DemoSummary s = createDemoHotel(where, o);
            headTenColumns(dir);
            count = s.payments;
            std::printf("made %-8s %ld documents, %ld payments (%ld external), %ld presence rows in %.0f ms\n", f.name, s.documents,
                        s.payments, s.externalEntries, s.presenceRows, millisecondsSince(start));
        } else {
            auto db = Database::OpenDatabase(where, "Fatture.mdb");
            count = db->OpenRecordset("Select Count(*) As N From Incassi")->Fields("N").toInt();
            std::printf("using %-8s %ld payments\n", f.name, count);
        }
        payments.push_back(count);
    }

    std::printf("\n%-8s %-10s %8s %5s %8s %8s %8s %8s %8s %7s %7s\n", "folder", "path", "payments", "days", "min ms", "med ms",
                "max ms", "queries", "rows", "baseMB", "peakMB");
    for (std::size_t i = 0; i < folders.size(); ++i) {
        const Folder& f = folders[i];
        fs::path dir = root / f.name;
        std::vector<ReportFigures> runs;
        for (int k = 0; k < 5; ++k)
            runs.push_back(parseReport(child({"--report", dir.string(), f.from, f.to, "period"})));
        printReportRuns(f.name, "period", payments[i], runs);
        if (i == 0) {
            std::vector<ReportFigures> slow;
            for (int k = 0; k < 3; ++k)
                slow.push_back(parseReport(child({"--report", dir.string(), f.from, f.to, "statements"})));
            printReportRuns(f.name, "statements", payments[i], slow);
        }
    }

    std::printf("\nOne plain scan, Select Sum(CurrencyUnits(Importo)) From Incassi through the storage layer (min of 5 runs):\n");
    std::printf("%-8s %8s %8s %7s %14s\n", "folder", "payments", "ms", "peakMB", "sum");
    for (const Folder& f : folders) {
        double best = 1e300;
        long rows = 0, peak = 0;
        char sum[64] = "";
        for (int k = 0; k < 5; ++k) {
            std::string out = child({"--scan", (root / f.name).string()});
            double ms;
            long baseline;
            std::sscanf(out.c_str(), "%lf %ld %ld %ld %63s", &ms, &rows, &baseline, &peak, sum);
            best = std::min(best, ms);
        }
        std::printf("%-8s %8ld %8.1f %7.1f %14s\n", f.name, rows, best, peak / 1024.0, sum);
    }

    if (temporary)
        fs::remove_all(root);
    return 0;
}

}

int main(int argc, char** argv)
{
    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        if (args.size() == 5 && args[0] == "--report")
            return runReport(args[1], args[2], args[3], args[4] == "statements");
        if (args.size() == 2 && args[0] == "--scan")
            return runScan(args[1]);
        std::string conninfo;
        fs::path folder;
        for (std::size_t i = 0; i < args.size(); ++i) {
            if (args[i] == "--database" && i + 1 < args.size())
                conninfo = args[++i];
            else
                folder = args[i];
        }
        return orchestrate(folder, conninfo);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "cashreport_bench: %s\n", e.what());
        return 1;
    }
}
