#include "spedix/InvioSmtp.h"

#include "spedix/ErrorePosta.h"

#include <cstring>
#include <curl/curl.h>
#include <memory>
#include <sys/socket.h>

namespace ravelt {

namespace {

struct Upload {
    const std::string* data;
    size_t sent = 0;
};

size_t readMessage(char* buffer, size_t size, size_t count, void* user)
{
    auto* u = static_cast<Upload*>(user);
    size_t room = size * count;
    size_t left = u->data->size() - u->sent;
    size_t n = left < room ? left : room;
    std::memcpy(buffer, u->data->data() + u->sent, n);
    u->sent += n;
    return n;
}

std::string secondi(long long n)
{
    return std::to_string(n) + (n == 1 ? " secondo" : " secondi");
}

// What a time limit that ran out means to the operator: no connection at all, the
// whole sending too long, a server silent before it had the whole message (libcurl's
// connection phase takes in the greeting and the login, so the limit that struck is
// told by the time spent), or one silent after it: the message may then arrive all the
// same, so the operator is told.
std::string tempoScaduto(CURL* c, const std::string& where, const TempiInvio& tempi, bool messaggioConsegnato)
{
    curl_off_t connected = 0, elapsed = 0;
    curl_easy_getinfo(c, CURLINFO_CONNECT_TIME_T, &connected);
    curl_easy_getinfo(c, CURLINFO_TOTAL_TIME_T, &elapsed);
    const std::string server = "il server di posta " + where;
    if (connected == 0)
        return server + " non si raggiunge: nessuna connessione entro " + secondi(tempi.connessione);
    if (elapsed >= static_cast<curl_off_t>(tempi.totale) * 1000000)
        return server + " non ha concluso l'invio entro " + secondi(tempi.totale) + ": invio interrotto";
    if (messaggioConsegnato)
        return server + " ha ricevuto il messaggio ma non ha confermato l'invio entro " + secondi(tempi.silenzio) +
               ": invio interrotto (il messaggio potrebbe arrivare comunque)";
    return server + " non risponde: invio interrotto dopo " + secondi((elapsed + 500000) / 1000000);
}

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlGlobal() { curl_global_cleanup(); }
};

}

void InviaSmtp(const ImpostazioniPosta& s, const std::string& messaggio, const TempiInvio& tempi)
{
    static CurlGlobal global;
    std::unique_ptr<CURL, decltype(&curl_easy_cleanup)> curl(curl_easy_init(), curl_easy_cleanup);
    if (!curl)
        throw ErrorePosta("impossibile preparare l'invio (libcurl)");
    CURL* c = curl.get();
    const std::string where = s.server + ":" + std::to_string(s.porta);
    const std::string url = (s.porta == 465 ? "smtps://" : "smtp://") + where;

    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> rcpt(nullptr, curl_slist_free_all);
    for (const auto& r : s.destinatari) {
        curl_slist* list = curl_slist_append(rcpt.get(), ("<" + IndirizzoDi(r) + ">").c_str());
        rcpt.release();
        rcpt.reset(list);
    }
    Upload upload{&messaggio};
    char error[CURL_ERROR_SIZE] = "";
    const std::string from = "<" + IndirizzoDi(s.mittente) + ">";

    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.c_str());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, rcpt.get());
    curl_easy_setopt(c, CURLOPT_READFUNCTION, readMessage);
    curl_easy_setopt(c, CURLOPT_READDATA, &upload);
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(messaggio.size()));
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    // The silence limit covers both ways of saying nothing: no reply to a command or to
    // the message's end (the server response time-out) and no byte taken while the
    // message goes out (the low-speed limit, less than one byte a second).
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, tempi.connessione);
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, tempi.silenzio);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, tempi.silenzio);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, tempi.totale);
    if (s.starttls)
        curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    if (!s.utente.empty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, s.utente.c_str());
        curl_easy_setopt(c, CURLOPT_PASSWORD, s.password.c_str());
    }

    CURLcode res = curl_easy_perform(c);
    if (res == CURLE_OK)
        return;
    long code = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &code);
    std::string why = error[0] ? error : curl_easy_strerror(res);
    if (!s.password.empty())
        for (size_t at = why.find(s.password); at != std::string::npos; at = why.find(s.password))
            why.replace(at, s.password.size(), "***");
    std::string reply = code > 0 ? " (il server ha risposto " + std::to_string(code) + ")" : "";
    if (res == CURLE_OPERATION_TIMEDOUT) {
        // A server that let a limit run out gets no polite goodbye: libcurl would say
        // QUIT when the handle goes and wait once more, up to the silence limit, for the
        // reply. The connection is cut instead, so the sending ends within its limits.
        curl_socket_t socket = CURL_SOCKET_BAD;
        if (curl_easy_getinfo(c, CURLINFO_ACTIVESOCKET, &socket) == CURLE_OK && socket != CURL_SOCKET_BAD)
            ::shutdown(socket, SHUT_RDWR);
        throw ErrorePosta(tempoScaduto(c, where, tempi, upload.sent == messaggio.size()));
    }
    switch (res) {
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
        throw ErrorePosta("il server di posta " + where + " non si raggiunge: " + why);
    case CURLE_LOGIN_DENIED:
        throw ErrorePosta("il server di posta " + where + " non ha accettato l'utente " + s.utente + reply);
    case CURLE_USE_SSL_FAILED:
        throw ErrorePosta("il server di posta " + where + " non offre STARTTLS, che le impostazioni richiedono: " + why);
    default:
        throw ErrorePosta("il server di posta " + where + " ha rifiutato il messaggio: " + why + reply);
    }
}

}
