#include "spedix/tests/SchermoVirtuale.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace ravelt::testing {

namespace {

const char* const Server = "/usr/bin/Xvfb";

std::string readFile(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}

SchermoVirtuale::SchermoVirtuale(const std::filesystem::path& folder)
{
    if (::access(Server, X_OK) != 0)
        throw std::runtime_error(std::string(Server) + " is not installed (scripts/install-deps.sh installs xvfb)");
    std::filesystem::create_directories(folder);
    const std::string log = (folder / "xvfb.log").string();
    int fds[2];
    if (::pipe(fds) != 0)
        throw std::runtime_error("pipe failed");
    const std::string fd = std::to_string(fds[1]);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGTERM);
        ::close(fds[0]);
        int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ::dup2(out, 1);
        ::dup2(out, 2);
        ::execl(Server, "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "800x600x24", "-nolisten", "tcp",
                static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    // Xvfb writes its display number and a line end once it accepts clients.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (number.find('\n') == std::string::npos && ::poll(&p, 1, 15000) > 0) {
        char buffer[16];
        ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        number.append(buffer, static_cast<size_t>(n));
    }
    ::close(fds[0]);
    if (number.find('\n') == std::string::npos) {
        ::kill(pid_, SIGTERM);
        ::waitpid(pid_, nullptr, 0);
        pid_ = -1;
        throw std::runtime_error("Xvfb did not start: " + readFile(log));
    }
    display_ = ":" + number.substr(0, number.find('\n'));
}

SchermoVirtuale::~SchermoVirtuale()
{
    if (pid_ > 0) {
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
}

}
