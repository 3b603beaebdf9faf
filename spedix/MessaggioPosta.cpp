#include "spedix/MessaggioPosta.h"

#include <chrono>
#include <ctime>
#include <random>
#include <unistd.h>

namespace ravelt {

namespace {

bool ascii(std::string_view s)
{
    for (unsigned char c : s)
        if (c >= 0x80 || c < 0x20)
            return false;
    return true;
}

const char hex[] = "0123456789ABCDEF";

// A mailbox for a header: the display name encoded when needed, the address as is.
std::string casella(const std::string& m)
{
    size_t open = m.rfind('<');
    if (open == std::string::npos || open == 0)
        return m;
    std::string name = m.substr(0, open);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    std::string addr = "<" + IndirizzoDi(m) + ">";
    if (ascii(name))
        return name.find_first_of(",;:@.\"()") == std::string::npos ? name + " " + addr : "\"" + name + "\" " + addr;
    return IntestazioneCodificata(name) + " " + addr;
}

}

std::string Base64(std::string_view bytes, bool righe)
{
    static const char* table = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    int column = 0;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size())
            v |= static_cast<unsigned char>(bytes[i + 2]);
        out += table[(v >> 18) & 63];
        out += table[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? table[(v >> 6) & 63] : '=';
        out += i + 2 < bytes.size() ? table[v & 63] : '=';
        column += 4;
        if (righe && column >= 76) {
            out += "\r\n";
            column = 0;
        }
    }
    if (righe && column > 0)
        out += "\r\n";
    return out;
}

std::string QuotedPrintable(std::string_view testo)
{
    std::string out;
    size_t start = 0;
    while (start <= testo.size()) {
        size_t end = testo.find("\r\n", start);
        bool last = end == std::string_view::npos;
        std::string_view line = testo.substr(start, last ? std::string_view::npos : end - start);
        std::string encoded;
        size_t column = 0;
        for (size_t i = 0; i < line.size(); ++i) {
            unsigned char c = static_cast<unsigned char>(line[i]);
            bool blankAtEnd = (c == ' ' || c == '\t') && i + 1 == line.size();
            std::string piece;
            if ((c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !blankAtEnd)) {
                piece = static_cast<char>(c);
            } else {
                piece = {'=', hex[c >> 4], hex[c & 15]};
            }
            // Room for the soft break "=" at the end of a 76-character line.
            size_t limit = i + 1 == line.size() ? 76 : 75;
            if (column + piece.size() > limit) {
                encoded += "=\r\n";
                column = 0;
            }
            encoded += piece;
            column += piece.size();
        }
        out += encoded;
        if (last)
            break;
        out += "\r\n";
        start = end + 2;
    }
    return out;
}

std::string IntestazioneCodificata(const std::string& valore)
{
    if (ascii(valore))
        return valore;
    // Encoded words of at most 45 bytes of whole UTF-8 characters: 60 characters of
    // base64 plus the frame, under the 75 allowed.
    std::string out;
    size_t i = 0;
    while (i < valore.size()) {
        size_t end = i;
        while (end < valore.size()) {
            size_t len = 1;
            unsigned char c = static_cast<unsigned char>(valore[end]);
            if (c >= 0xF0)
                len = 4;
            else if (c >= 0xE0)
                len = 3;
            else if (c >= 0xC0)
                len = 2;
            if (end + len - i > 45)
                break;
            end += len;
        }
        if (!out.empty())
            out += "\r\n ";
        out += "=?UTF-8?B?" + Base64(std::string_view(valore).substr(i, end - i), false) + "?=";
        i = end;
    }
    return out;
}

std::string ParametroNome(const std::string& parametro, const std::string& valore)
{
    bool quotable = true;
    for (unsigned char c : valore)
        if (c < 0x20 || c >= 0x7F || c == '"' || c == '\\')
            quotable = false;
    if (quotable)
        return parametro + "=\"" + valore + "\"";
    // RFC 2231 attribute-char: letters, digits and these marks go as they are.
    static const std::string_view plain = "!#$&+-.^_`|~";
    std::string out = parametro + "*=UTF-8''";
    for (unsigned char c : valore) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            (c < 0x80 && plain.find(static_cast<char>(c)) != std::string_view::npos))
            out += static_cast<char>(c);
        else
            out += {'%', hex[c >> 4], hex[c & 15]};
    }
    return out;
}

std::string ComponiMessaggio(const ImpostazioniPosta& s, const std::string& oggetto, const std::string& testo,
                             const DatiMessaggio& d, const std::vector<Allegato>& allegati)
{
    std::string to;
    for (const auto& r : s.destinatari)
        to += (to.empty() ? "" : ",\r\n ") + casella(r);
    std::string m;
    m += "From: " + casella(s.mittente) + "\r\n";
    m += "To: " + to + "\r\n";
    m += "Subject: " + IntestazioneCodificata(oggetto) + "\r\n";
    m += "Date: " + d.data + "\r\n";
    m += "Message-ID: " + d.idMessaggio + "\r\n";
    m += "MIME-Version: 1.0\r\n";
    const std::string textPart = "Content-Type: text/plain; charset=utf-8\r\n"
                                 "Content-Transfer-Encoding: quoted-printable\r\n"
                                 "\r\n" +
                                 QuotedPrintable(testo);
    if (allegati.empty())
        return m + textPart;
    // Each part ends with the CR LF that belongs to the next boundary line, so the text
    // part reads back with exactly its own line ends.
    const std::string boundary = std::string("--") + SeparatoreParti;
    m += "Content-Type: multipart/mixed;\r\n boundary=\"" + std::string(SeparatoreParti) + "\"\r\n";
    m += "\r\n";
    m += boundary + "\r\n" + textPart + "\r\n";
    for (const auto& a : allegati) {
        std::string data = Base64(a.contenuto);
        if (!data.empty())
            data.resize(data.size() - 2);  // the last CR LF is the boundary's
        m += boundary + "\r\n";
        m += "Content-Type: " + a.tipo + ";\r\n " + ParametroNome("name", a.nome) + "\r\n";
        m += "Content-Disposition: attachment;\r\n " + ParametroNome("filename", a.nome) + "\r\n";
        m += "Content-Transfer-Encoding: base64\r\n";
        m += "\r\n";
        m += data + "\r\n";
    }
    m += boundary + "--\r\n";
    return m;
}

DatiMessaggio DatiMessaggioAdesso()
{
    DatiMessaggio d;
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    static const char* days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char zone[8];
    std::strftime(zone, sizeof zone, "%z", &local);
    char date[64];
    std::snprintf(date, sizeof date, "%s, %02d %s %04d %02d:%02d:%02d %s", days[local.tm_wday], local.tm_mday,
                  months[local.tm_mon], local.tm_year + 1900, local.tm_hour, local.tm_min, local.tm_sec, zone);
    d.data = date;
    std::random_device rd;
    std::mt19937_64 gen(rd());
    char id[96];
    char host[64] = "localhost";
    ::gethostname(host, sizeof host - 1);
    auto stamp = std::chrono::system_clock::now().time_since_epoch().count();
    std::snprintf(id, sizeof id, "<%lld.%d.%llx@%s>", static_cast<long long>(stamp), static_cast<int>(::getpid()),
                  static_cast<unsigned long long>(gen()), host);
    d.idMessaggio = id;
    return d;
}

}
