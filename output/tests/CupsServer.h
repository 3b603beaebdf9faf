#pragma once
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace ravelt::testing {

// A private print server for the tests: cupsd started in a temporary folder with its
// own configuration, socket and spool, and queues whose backend writes each job (the
// document's bytes and the job's options) to files. The process's CUPS_SERVER points
// at its socket from the start of the test program, so no test reaches the machine's
// own print server. Started on first use, stopped when the test program ends (and by
// the kernel if the test program dies).
class CupsServer {
public:
    // The server of this test process; fails the test when cupsd or the CUPS client
    // programs are not installed.
    static CupsServer& shared();
    ~CupsServer();

    // A queue that takes every job as it comes (no filters) and hands it to the capture
    // backend.
    void addQueue(const std::string& name);
    void reject(const std::string& name);
    void accept(const std::string& name);

    struct Job {
        std::string data;
        std::string options;
    };
    // Waits until the queue has received 'count' jobs in all (at most 30 seconds) and
    // returns them in the order they arrived.
    std::vector<Job> waitForJobs(const std::string& queue, size_t count);
    std::vector<Job> jobs(const std::string& queue) const;

    const std::filesystem::path& folder() const { return root_; }

private:
    CupsServer();
    std::filesystem::path root_;
    pid_t pid_ = -1;
};

// Runs a program with arguments; its standard output, and its exit code in 'code'.
std::string runProgram(const std::string& program, const std::vector<std::string>& args, int* code = nullptr);

}
