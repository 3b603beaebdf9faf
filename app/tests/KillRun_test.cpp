#include "testing/TempFolder.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono;
namespace fs = std::filesystem;

namespace {

// Starts the program in 'folder' as workstation 3, without a terminal or a display,
// its output thrown away.
pid_t start(const fs::path& folder, const std::vector<std::string>& args)
{
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(127);
        int null = ::open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        setenv("PCLocal", "3", 1);
        unsetenv("RAVELT_PASSWORD");
        unsetenv("DISPLAY");
        std::vector<char*> argv{const_cast<char*>(RAVELT_EXE)};
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(RAVELT_EXE, argv.data());
        _exit(127);
    }
    return pid;
}

// The exit code of a run to its end.
int finish(pid_t pid)
{
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Runs the program to its end; its exit code and how long it took.
std::pair<int, duration<double>> timedRun(const fs::path& folder, const std::vector<std::string>& args)
{
    auto t0 = steady_clock::now();
    int code = finish(start(folder, args));
    return {code, steady_clock::now() - t0};
}

// How long a good run takes: the shorter of two, so that kills spread over it fall
// within the runs that follow.
duration<double> runTime(const fs::path& folder, const std::vector<std::string>& args)
{
    auto [first, a] = timedRun(folder, args);
    auto [second, b] = timedRun(folder, args);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 0);
    return std::min(a, b);
}

// Kills a run with SIGKILL 'after' its start; true when it was still running then.
// Returns a moment later than the kill, on any clock the system stamps files with (those
// tick a few milliseconds at a time), so that what the killed run wrote is older than
// the next run.
bool killedAfter(const fs::path& folder, const std::vector<std::string>& args, duration<double> after)
{
    pid_t pid = start(folder, args);
    std::this_thread::sleep_for(after);
    kill(pid, SIGKILL);
    int status = 0;
    waitpid(pid, &status, 0);
    std::this_thread::sleep_for(milliseconds(20));
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// Kills a run with SIGKILL as soon as a file whose name begins with 'prefix' is created
// in the folder (the run's temporary file: the run is then writing its output), or
// after 'limit' when none appears; true when the run was still going when killed.
bool killedWhenCreated(const fs::path& folder, const std::vector<std::string>& args, const std::string& prefix,
                       duration<double> limit)
{
    int watch = inotify_init1(IN_NONBLOCK);
    inotify_add_watch(watch, folder.c_str(), IN_CREATE);
    pid_t pid = start(folder, args);
    const auto until = steady_clock::now() + limit;
    bool seen = false;
    alignas(inotify_event) char buf[4096];
    while (!seen && steady_clock::now() < until) {
        ssize_t n = read(watch, buf, sizeof buf);
        for (ssize_t at = 0; n > 0 && at < n;) {
            auto* e = reinterpret_cast<inotify_event*>(buf + at);
            if (e->len > 0 && std::string(e->name).rfind(prefix, 0) == 0)
                seen = true;
            at += sizeof(inotify_event) + e->len;
        }
    }
    kill(pid, SIGKILL);
    close(watch);
    int status = 0;
    waitpid(pid, &status, 0);
    std::this_thread::sleep_for(milliseconds(20));
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

std::string readBytes(const fs::path& file)
{
    std::string bytes;
    if (FILE* f = std::fopen(file.c_str(), "rb")) {
        std::array<char, 65536> buf;
        for (size_t n; (n = std::fread(buf.data(), 1, buf.size(), f)) > 0;)
            bytes.append(buf.data(), n);
        std::fclose(f);
    }
    return bytes;
}

// The temporary files the program names for 'output' in the folder.
std::vector<std::string> temporaries(const fs::path& folder, const std::string& output)
{
    std::vector<std::string> names;
    for (const auto& name : ravelt::testing::fileNames(folder))
        if (name.rfind("." + output + ".tmp-", 0) == 0)
            names.push_back(name);
    return names;
}

// A report without the clock: its title line begins with today's date and ends with
// the time of the run.
std::string withoutClock(std::string report)
{
    size_t begin = report.find("\r\n");
    size_t end = begin == std::string::npos ? begin : report.find("\r\n", begin + 2);
    if (end == std::string::npos || end - begin - 2 < 15)
        return report;
    report.replace(begin + 2, 10, 10, '#');
    report.replace(end - 5, 5, 5, '#');
    return report;
}

std::string shell(const std::string& command)
{
    std::string out;
    FILE* p = popen((command + " 2>/dev/null").c_str(), "r");
    std::array<char, 4096> buf;
    for (size_t n; (n = std::fread(buf.data(), 1, buf.size(), p)) > 0;)
        out.append(buf.data(), n);
    pclose(p);
    return out;
}

// What poppler reads from a PDF: its page count line and its whole text; empty for a
// file it cannot read.
std::string pdfContent(const fs::path& pdf)
{
    std::string info = shell("pdfinfo '" + pdf.string() + "' | grep '^Pages:'");
    if (info.empty())
        return "";
    return info + shell("pdftotext -layout '" + pdf.string() + "' -");
}

// A year of a large hotel: about 150,000 payments.
class KillRun : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        demo = new ravelt::testing::TempFolder();
        int code = timedRun(demo->path(),
                            {"demo", "hotel", "--days", "366", "--rooms", "300", "--from", "01/01/2024", "--seed", "11"})
                       .first;
        ASSERT_EQ(code, 0);
    }
    static void TearDownTestSuite() { delete demo; }
    static fs::path hotel() { return demo->path() / "hotel"; }
    static ravelt::testing::TempFolder* demo;
};

ravelt::testing::TempFolder* KillRun::demo = nullptr;

const std::vector<std::string> YearReport{"report", "--from", "01/01/2024", "--to", "31/12/2024"};
const std::vector<std::string> MonthReport{"report", "--from", "01/01/2024", "--to", "31/01/2024"};
const std::vector<std::string> PdfPrint{"print", "--pdf"};

// Killed at moments spread over a whole run, the report run leaves the report file as
// the previous whole report or the new whole one; each run removes what the killed one
// before it left, and after a good run nothing is left beside the report.
TEST_F(KillRun, ReportKilledAtAnyMomentLeavesAWholeReportAndNoLitter)
{
    const auto took = runTime(hotel(), YearReport);
    const std::string year = withoutClock(readBytes(hotel() / "FD3"));
    ASSERT_EQ(timedRun(hotel(), MonthReport).first, 0);
    const std::string month = readBytes(hotel() / "FD3");
    ASSERT_NE(withoutClock(month), year);
    std::cout << "a year's report takes " << duration_cast<milliseconds>(took).count() << " ms\n";

    // Kills spread over the whole run, then kills the moment the run starts writing the
    // report (the figures are all computed first, so the writing is the run's last moment).
    const int spread = 16, whileWriting = 4, kills = spread + whileWriting;
    int killed = 0, litterLeft = 0;
    for (int k = 0; k < kills; ++k) {
        auto at = took * ((k + 0.5) / spread);
        if (k < spread)
            killed += killedAfter(hotel(), YearReport, at);
        else
            killed += killedWhenCreated(hotel(), YearReport, ".FD3.tmp-", took * 4);
        const std::string now = readBytes(hotel() / "FD3");
        EXPECT_TRUE(now == month || withoutClock(now) == year)
            << "killed after " << duration_cast<milliseconds>(at).count() << " ms: a report of " << now.size()
            << " bytes is neither the previous one (" << month.size() << ") nor the new one (" << year.size() << ")";
        auto left = temporaries(hotel(), "FD3");
        EXPECT_LE(left.size(), 1u) << "the temporary files of killed runs pile up";
        litterLeft += !left.empty();
    }
    std::cout << kills << " kills: " << killed << " during the run, " << litterLeft
              << " left a temporary file for the next run to remove\n";
    EXPECT_GE(killed, kills / 4) << "kills come while the run is going on";
    EXPECT_GT(litterLeft, 0) << "some kills come while the report is being written";

    ASSERT_EQ(timedRun(hotel(), YearReport).first, 0);
    EXPECT_EQ(withoutClock(readBytes(hotel() / "FD3")), year);
    EXPECT_EQ(temporaries(hotel(), "FD3"), std::vector<std::string>{});
}

// The same for the PDF print: report.pdf is always the previous whole PDF or the new
// whole one, and a good print leaves no temporary file.
TEST_F(KillRun, PdfPrintKilledAtAnyMomentLeavesAWholePdfAndNoLitter)
{
    ASSERT_EQ(timedRun(hotel(), MonthReport).first, 0);
    ASSERT_EQ(timedRun(hotel(), PdfPrint).first, 0);
    const std::string previous = readBytes(hotel() / "report.pdf");
    ASSERT_EQ(timedRun(hotel(), YearReport).first, 0);
    const auto took = runTime(hotel(), PdfPrint);
    const std::string whole = pdfContent(hotel() / "report.pdf");
    ASSERT_NE(whole, "");
    std::cout << "a year's PDF print takes " << duration_cast<milliseconds>(took).count() << " ms\n";

    // Start again from the month's PDF, so that a kill after the new PDF is in place is
    // told apart from one before.
    fs::path pdf = hotel() / "report.pdf";
    const int kills = 12;
    int killed = 0;
    for (int k = 0; k < kills; ++k) {
        std::FILE* f = std::fopen(pdf.c_str(), "wb");
        std::fwrite(previous.data(), 1, previous.size(), f);
        std::fclose(f);
        auto at = took * ((k + 0.5) / kills);
        killed += killedAfter(hotel(), PdfPrint, at);
        const std::string now = readBytes(pdf);
        EXPECT_TRUE(now == previous || pdfContent(pdf) == whole)
            << "killed after " << duration_cast<milliseconds>(at).count() << " ms: a PDF of " << now.size()
            << " bytes is neither the previous one nor the new one";
        EXPECT_LE(temporaries(hotel(), "report.pdf").size(), 1u) << "the temporary files of killed prints pile up";
    }
    std::cout << kills << " kills: " << killed << " during the print\n";
    EXPECT_GE(killed, kills / 4) << "kills come while the print is going on";

    ASSERT_EQ(timedRun(hotel(), PdfPrint).first, 0);
    EXPECT_EQ(pdfContent(pdf), whole);
    EXPECT_EQ(temporaries(hotel(), "report.pdf"), std::vector<std::string>{});
}

}
