#include "spedix/InvioSmtp.h"

#include "spedix/ErrorePosta.h"

#include <cstring>
#include <curl/curl.h>
#include <memory>

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

struct CurlGlobal {
    CurlGlobal() { curl_global_init(CURL_GLOBAL_DEFAULT); }
    ~CurlGlobal() { curl_global_cleanup(); }
};

}

void InviaSmtp(const ImpostazioniPosta& s, const std::string& messaggio)
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
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 20L);
    curl_easy_setopt(c, CURLOPT_TIMEOUT, 300L);
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
    switch (res) {
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_OPERATION_TIMEDOUT:
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
