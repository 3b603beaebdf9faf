#include "spedix/RichiestaPosta.h"

#include "platform/Cp1252.h"
#include "platform/TextLines.h"
#include "spedix/ErrorePosta.h"
#include "platform/PlainText.h"

#include <vector>

namespace ravelt {

namespace {

bool digit(char c)
{
    return c >= '0' && c <= '9';
}

bool dateAt(const std::string& s, size_t i)
{
    return s.size() >= i + 10 && digit(s[i]) && digit(s[i + 1]) && s[i + 2] == '/' && digit(s[i + 3]) && digit(s[i + 4]) &&
           s[i + 5] == '/' && digit(s[i + 6]) && digit(s[i + 7]) && digit(s[i + 8]) && digit(s[i + 9]);
}

// The title of a report's title line "dd/mm/yyyy   Title   hh:mm"; empty when the
// line is not one.
std::string titleOf(const std::string& line)
{
    std::string t = trimBlanks(line);
    if (t.size() < 17 || !dateAt(t, 0))
        return {};
    size_t n = t.size();
    if (!(digit(t[n - 5]) && digit(t[n - 4]) && t[n - 3] == ':' && digit(t[n - 2]) && digit(t[n - 1])))
        return {};
    return trimBlanks(t.substr(10, n - 15));
}

bool hasWord(const std::string& s)
{
    for (unsigned char c : s)
        if (std::isalnum(c) || c >= 0x80)
            return true;
    return false;
}

}

RichiestaPosta LeggiRichiestaPosta(std::string_view bytes, std::int16_t pcLocal)
{
    std::vector<std::string> lines;
    for (const std::string& line : splitLines(bytes))
        lines.push_back(fromCp1252(line));
    if (lines.empty() || trimBlanks(lines[0]).rfind("OGGETTO", 0) != 0)
        throw ErrorePosta("la richiesta non comincia con la riga OGGETTO: non è una richiesta di invio della stampa");

    RichiestaPosta r;
    std::string own = trimBlanks(trimBlanks(lines[0]).substr(7));
    if (!own.empty() && own[0] == ':')
        own = trimBlanks(own.substr(1));
    for (size_t i = 1; i < lines.size(); ++i) {
        r.testo += lines[i];
        r.testo += "\r\n";
    }

    r.oggetto = own;
    for (size_t i = 1; r.oggetto.empty() && i < lines.size(); ++i) {
        std::string title = titleOf(lines[i]);
        if (title.empty())
            continue;
        std::string hotel = i > 1 ? trimBlanks(lines[i - 1]) : std::string();
        r.oggetto = hotel.empty() || !hasWord(hotel) ? title : title + " - " + hotel;
    }
    for (size_t i = 1; r.oggetto.empty() && i < lines.size(); ++i)
        if (hasWord(lines[i]))
            r.oggetto = trimBlanks(lines[i]);
    if (r.oggetto.empty())
        r.oggetto = "Stampa della postazione " + std::to_string(pcLocal);
    return r;
}

}
