#include "spedix/tests/SmtpServer.h"

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <netinet/in.h>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace ravelt::testing {

namespace {

const char* const Server = "/usr/bin/aiosmtpd";

// A handler that refuses every recipient, as a server that knows no such mailbox.
const char* const refusingHandler = R"(class Rifiuta:
    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        return '550 5.1.1 casella sconosciuta'
)";

bool accepts(int port)
{
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(port));
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    ::close(s);
    return ok;
}

std::string readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}

int SmtpServer::freePort()
{
    int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = 0;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(s);
    return ntohs(a.sin_port);
}

SmtpServer::SmtpServer(const std::filesystem::path& folder, Mode mode) : maildir_(folder / "maildir")
{
    if (::access(Server, X_OK) != 0)
        throw std::runtime_error(std::string(Server) + " is not installed (scripts/install-deps.sh installs python3-aiosmtpd)");
    std::filesystem::create_directories(folder);
    if (mode == Mode::RefuseRecipients)
        std::ofstream(folder / "rifiuta.py") << refusingHandler;
    port_ = freePort();
    const std::string listen = "127.0.0.1:" + std::to_string(port_);
    const std::string log = (folder / "aiosmtpd.log").string();
    const std::string pythonPath = folder.string();
    const std::string maildir = maildir_.string();
    pid_ = ::fork();
    if (pid_ == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, 1);
        ::dup2(out, 2);
        ::setenv("PYTHONPATH", pythonPath.c_str(), 1);
        if (mode == Mode::RefuseRecipients)
            ::execl(Server, "aiosmtpd", "-n", "-l", listen.c_str(), "-c", "rifiuta.Rifiuta", static_cast<char*>(nullptr));
        else
            ::execl(Server, "aiosmtpd", "-n", "-l", listen.c_str(), "-c", "aiosmtpd.handlers.Mailbox", maildir.c_str(),
                    static_cast<char*>(nullptr));
        ::_exit(127);
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!accepts(port_)) {
        int status = 0;
        if (::waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            throw std::runtime_error("aiosmtpd did not start: " + readFile(log));
        }
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("aiosmtpd does not answer on " + listen);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

SmtpServer::~SmtpServer()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

std::vector<std::string> SmtpServer::messages() const
{
    std::vector<std::string> out;
    std::error_code ec;
    std::vector<std::filesystem::path> files;
    for (const auto& e : std::filesystem::directory_iterator(maildir_ / "new", ec))
        files.push_back(e.path());
    std::sort(files.begin(), files.end());
    for (const auto& f : files)
        out.push_back(readFile(f));
    return out;
}

std::vector<std::string> SmtpServer::waitForMessages(size_t count) const
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    for (;;) {
        auto got = messages();
        if (got.size() >= count || std::chrono::steady_clock::now() > deadline)
            return got;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
}

}
