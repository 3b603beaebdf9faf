#include "output/tests/CupsServer.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>
#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace ravelt::testing {

namespace {

std::filesystem::path rootFolder()
{
    return std::filesystem::temp_directory_path() / ("ravelt-cups-" + std::to_string(::getpid()));
}

// Set before any test runs, so that every use of the CUPS client in this process goes
// to the private server (or to no server at all while it is not started).
const bool serverSet = [] {
    ::setenv("CUPS_SERVER", (rootFolder() / "cups.sock").c_str(), 1);
    return true;
}();

void writeFile(const std::filesystem::path& p, const std::string& text, mode_t mode = 0644)
{
    std::ofstream(p, std::ios::binary | std::ios::trunc) << text;
    ::chmod(p.c_str(), mode);
}

std::string readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

const char* const captureBackend = R"(#!/bin/sh
# Writes each job's document and options to the folder named by the device URI.
if [ $# -eq 0 ]; then echo 'direct capture "Unknown" "Capture jobs to files"'; exit 0; fi
dir=${DEVICE_URI#capture:}
if [ $# -ge 6 ]; then cat "$6" > "$dir/job-$1.data"; else cat > "$dir/job-$1.data"; fi
printf '%s\n' "$5" > "$dir/job-$1.options.tmp"
mv "$dir/job-$1.options.tmp" "$dir/job-$1.options"
exit 0
)";

void require(const std::string& path)
{
    if (::access(path.c_str(), X_OK) != 0)
        throw std::runtime_error(path + " is not installed (scripts/install-deps.sh installs cups and cups-client)");
}

}

std::string runProgram(const std::string& program, const std::vector<std::string>& args, int* code)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");  // the tools' messages are read in English
    p.setProcessEnvironment(env);
    QStringList a;
    for (const auto& s : args)
        a << QString::fromStdString(s);
    p.start(QString::fromStdString(program), a);
    p.waitForFinished(60000);
    if (code)
        *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    std::string out = p.readAllStandardOutput().toStdString();
    if (code && *code != 0)
        out += p.readAllStandardError().toStdString();
    return out;
}

CupsServer& CupsServer::shared()
{
    static std::unique_ptr<CupsServer> server(new CupsServer);
    return *server;
}

CupsServer::CupsServer() : root_(rootFolder())
{
    (void)serverSet;
    require("/usr/sbin/cupsd");
    require("/usr/sbin/lpadmin");
    require("/usr/bin/lp");
    std::filesystem::remove_all(root_);
    for (const char* d : {"", "bin", "bin/backend", "spool", "spool/tmp", "cache", "state", "log", "out"})
        std::filesystem::create_directories(root_ / d);
    ::chmod(root_.c_str(), 0755);
    ::chmod((root_ / "out").c_str(), 0777);
    for (const char* d : {"filter", "daemon", "cgi-bin", "monitor", "notifier", "driver"})
        std::filesystem::create_directory_symlink(std::filesystem::path("/usr/lib/cups") / d, root_ / "bin" / d);
    writeFile(root_ / "bin/backend/capture", captureBackend, 0755);

    const std::string r = root_.string();
    writeFile(root_ / "cupsd.conf", "Listen " + r + "/cups.sock\n"
                                    "LogLevel warn\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                                    "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                    "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                                    "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n");
    // cupsd refuses to run its filters as root: as root it runs them as lp.
    std::string user = ::geteuid() == 0 ? "User lp\nGroup lp\n" : "";
    writeFile(root_ / "cups-files.conf", "ServerRoot " + r + "\nServerBin " + r + "/bin\nDataDir /usr/share/cups\n" +
                                             "RequestRoot " + r + "/spool\nTempDir " + r + "/spool/tmp\n" +
                                             "CacheDir " + r + "/cache\nStateDir " + r + "/state\n" +
                                             "ErrorLog " + r + "/log/error_log\nAccessLog " + r + "/log/access_log\n" +
                                             "PageLog " + r + "/log/page_log\n" + user + "SystemGroup root\n");

    pid_ = ::fork();
    if (pid_ == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        int log = ::open((r + "/log/stdout").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(log, 1);
        ::dup2(log, 2);
        ::execl("/usr/sbin/cupsd", "cupsd", "-f", "-c", (r + "/cupsd.conf").c_str(), "-s", (r + "/cups-files.conf").c_str(),
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (;;) {
        // lpstat -r exits 0 either way; its words tell.
        if (runProgram("/usr/bin/lpstat", {"-r"}).find("scheduler is running") != std::string::npos)
            break;
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("cupsd did not start: " + readFile(root_ / "log/stdout") + readFile(root_ / "log/error_log"));
        }
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("cupsd did not answer on " + r + "/cups.sock");
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

CupsServer::~CupsServer()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    std::error_code ec;
    std::filesystem::remove_all(root_, ec);
}

void CupsServer::addQueue(const std::string& name)
{
    std::filesystem::path out = root_ / "out" / name;
    std::filesystem::create_directories(out);
    ::chmod(out.c_str(), 0777);
    int code = -1;
    std::string said = runProgram("/usr/sbin/lpadmin", {"-p", name, "-E", "-v", "capture:" + out.string()}, &code);
    if (code != 0)
        throw std::runtime_error("lpadmin could not add the queue " + name + ": " + said);
}

void CupsServer::reject(const std::string& name)
{
    runProgram("/usr/sbin/cupsreject", {name});
}

void CupsServer::accept(const std::string& name)
{
    runProgram("/usr/sbin/cupsaccept", {name});
}

std::vector<CupsServer::Job> CupsServer::jobs(const std::string& queue) const
{
    std::vector<std::pair<int, Job>> found;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator(root_ / "out" / queue, ec)) {
        std::string name = e.path().filename().string();
        if (name.rfind("job-", 0) != 0 || e.path().extension() != ".options")
            continue;
        int id = std::atoi(name.c_str() + 4);
        std::filesystem::path data = e.path();
        data.replace_extension(".data");
        found.push_back({id, Job{readFile(data), readFile(e.path())}});
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Job> out;
    for (auto& f : found)
        out.push_back(std::move(f.second));
    return out;
}

std::vector<CupsServer::Job> CupsServer::waitForJobs(const std::string& queue, size_t count)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    for (;;) {
        auto got = jobs(queue);
        if (got.size() >= count || std::chrono::steady_clock::now() > deadline)
            return got;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
}

}
