#pragma once
#include <filesystem>
#include <string>
#include <sys/types.h>
#include <vector>

namespace ravelt::testing {

// A real SMTP server on the loopback for the tests: Debian's aiosmtpd on a free port,
// keeping each message it accepts as a file of a mail folder, or, made to refuse,
// answering every recipient with 550. Stopped when the object goes away (and by the
// kernel if the test program dies).
class SmtpServer {
public:
    enum class Mode { Accept, RefuseRecipients };
    explicit SmtpServer(const std::filesystem::path& folder, Mode mode = Mode::Accept);
    ~SmtpServer();
    SmtpServer(const SmtpServer&) = delete;
    SmtpServer& operator=(const SmtpServer&) = delete;

    int port() const { return port_; }
    // The messages received so far, each as its raw bytes.
    std::vector<std::string> messages() const;
    // Waits up to 15 seconds for 'count' messages.
    std::vector<std::string> waitForMessages(size_t count) const;

    // A port on the loopback that nothing listens on when this returns.
    static int freePort();

private:
    std::filesystem::path maildir_;
    pid_t pid_ = -1;
    int port_ = 0;
};

}
