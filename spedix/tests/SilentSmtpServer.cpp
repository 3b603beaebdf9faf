#include "spedix/tests/SilentSmtpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace ravelt::testing {

SilentSmtpServer::SilentSmtpServer(Silence silence) : silence_(silence)
{
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = 0;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(listener_, 4) != 0)
        throw std::runtime_error("cannot listen on the loopback");
    socklen_t len = sizeof a;
    ::getsockname(listener_, reinterpret_cast<sockaddr*>(&a), &len);
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { serve(); });
}

SilentSmtpServer::~SilentSmtpServer()
{
    stop_ = true;
    thread_.join();
    if (client_ >= 0)
        ::close(client_);
    ::close(listener_);
}

std::string SilentSmtpServer::received() const
{
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

bool SilentSmtpServer::readSome()
{
    while (!stop_) {
        pollfd p{client_, POLLIN, 0};
        if (::poll(&p, 1, 100) <= 0)
            continue;
        char buffer[4096];
        ssize_t n = ::read(client_, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        std::lock_guard<std::mutex> lock(mutex_);
        received_.append(buffer, static_cast<size_t>(n));
        return true;
    }
    return false;
}

// One connection: the dialogue up to the point of silence, then reading only.
void SilentSmtpServer::serve()
{
    while (!stop_ && client_ < 0) {
        pollfd p{listener_, POLLIN, 0};
        if (::poll(&p, 1, 100) > 0)
            client_ = ::accept(listener_, nullptr, nullptr);
    }
    if (client_ < 0)
        return;
    auto say = [this](const std::string& reply) { (void)!::write(client_, reply.data(), reply.size()); };
    if (silence_ == Silence::AfterTheMessage)
        say("220 silenzio ESMTP\r\n");
    size_t answered = 0;  // the part of received_ already dealt with
    bool inData = false;
    while (readSome()) {
        if (silence_ == Silence::FromTheStart || ended_)
            continue;
        std::string text = received();
        if (inData) {
            if (text.find("\r\n.\r\n", answered) != std::string::npos)
                ended_ = true;  // and no answer, ever
            continue;
        }
        for (size_t eol; (eol = text.find("\r\n", answered)) != std::string::npos;) {
            std::string command = text.substr(answered, 4);
            answered = eol + 2;
            if (command == "EHLO" || command == "HELO" || command == "MAIL" || command == "RCPT" || command == "RSET" ||
                command == "NOOP") {
                say("250 OK\r\n");
            } else if (command == "DATA") {
                say("354 avanti\r\n");
                inData = true;
                answered -= 2;  // the end "\r\n.\r\n" may follow DATA's own line end directly
                break;
            } else if (command == "QUIT") {
                say("221 ciao\r\n");
            } else {
                say("500 comando sconosciuto\r\n");
            }
        }
        if (inData && text.find("\r\n.\r\n", answered) != std::string::npos)
            ended_ = true;
    }
}

}
