#include "app/ToolRun.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace ravelt {

ToolRun runTool(const std::vector<std::string>& argv)
{
    ToolRun r;
    int outPipe[2], errPipe[2];
    if (::pipe2(outPipe, O_CLOEXEC) != 0) {
        r.err = std::strerror(errno);
        return r;
    }
    if (::pipe2(errPipe, O_CLOEXEC) != 0) {
        r.err = std::strerror(errno);
        ::close(outPipe[0]);
        ::close(outPipe[1]);
        return r;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], STDERR_FILENO);
    std::vector<char*> args;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int spawned = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (spawned != 0) {
        r.err = argv[0] + ": " + std::strerror(spawned);
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        return r;
    }
    r.started = true;
    // Both streams are read as they come, so that a tool filling one pipe while we wait
    // on the other never stalls.
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    std::string* into[2] = {&r.out, &r.err};
    int open = 2;
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (int k = 0; k < 2; ++k) {
            if (fds[k].fd < 0 || fds[k].revents == 0)
                continue;
            char buf[4096];
            const ssize_t n = ::read(fds[k].fd, buf, sizeof buf);
            if (n > 0) {
                into[k]->append(buf, static_cast<size_t>(n));
            } else if (n == 0 || errno != EINTR) {
                ::close(fds[k].fd);
                fds[k].fd = -1;
                --open;
            }
        }
    }
    for (const auto& f : fds)
        if (f.fd >= 0)
            ::close(f.fd);
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return r;
}

}
