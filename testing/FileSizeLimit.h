#pragma once
#include <csignal>
#include <stdexcept>
#include <sys/resource.h>

namespace ravelt::testing {

// A full disk for the lifetime of the object: the process may not make any file larger
// than 'bytes' (RLIMIT_FSIZE), so a write past that size fails with EFBIG, as a write
// on a full disk fails with ENOSPC. SIGXFSZ is ignored meanwhile so that the failing
// write returns its error instead of ending the process. Both are put back afterwards.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        if (getrlimit(RLIMIT_FSIZE, &previous_) != 0)
            throw std::runtime_error("getrlimit failed");
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            throw std::runtime_error("setrlimit failed");
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

}
