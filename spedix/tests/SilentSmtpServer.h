#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <thread>

namespace ravelt::testing {

// An SMTP server on the loopback that stops answering at a chosen point, for the
// mail sender's time limits: it takes one connection and either never greets it, or
// greets it, answers EHLO, MAIL, RCPT and DATA, takes the whole message and then says
// nothing about the final ".". It keeps reading (so the client never blocks on a full
// socket) until the object goes away.
class SilentSmtpServer {
public:
    enum class Silence { FromTheStart, AfterTheMessage };
    explicit SilentSmtpServer(Silence silence);
    ~SilentSmtpServer();
    SilentSmtpServer(const SilentSmtpServer&) = delete;
    SilentSmtpServer& operator=(const SilentSmtpServer&) = delete;

    int port() const { return port_; }
    // Everything the client has sent so far.
    std::string received() const;
    // True once the message's final "." has arrived.
    bool messageEnded() const { return ended_; }

private:
    void serve();
    // Waits for the client's next bytes and keeps them; false when the client has
    // closed the connection or the server is stopping.
    bool readSome();

    Silence silence_;
    int listener_ = -1;
    int client_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<bool> ended_{false};
    mutable std::mutex mutex_;
    std::string received_;
    std::thread thread_;
};

}
