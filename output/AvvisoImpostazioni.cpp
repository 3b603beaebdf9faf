#include "output/AvvisoImpostazioni.h"

#include "platform/Cp1252.h"

#include <algorithm>

namespace ravelt {

namespace {

constexpr size_t CaratteriCitati = 40;

}

std::string AvvisoImpostazioni::messaggio() const
{
    return riga > 0 ? file + ", riga " + std::to_string(riga) + ": " + testo : file + ": " + testo;
}

std::string CitaRiga(std::string_view utf8)
{
    std::string out = "\"";
    size_t caratteri = 0, i = 0;
    while (i < utf8.size() && caratteri < CaratteriCitati) {
        char32_t cp;
        int len = decodeUtf8(utf8, i, cp);
        if (len == 0) {
            out += '?';
            ++i;
        } else {
            if (cp < 32 || cp == 127)
                out += '?';
            else
                out.append(utf8.substr(i, static_cast<size_t>(len)));
            i += static_cast<size_t>(len);
        }
        ++caratteri;
    }
    if (i < utf8.size())
        out += "...";
    return out + "\"";
}

std::string CitaRigaCp1252(std::string_view bytes)
{
    // One byte is one character: one past the cut is enough for CitaRiga to see there
    // is more, and the rest of a long line is never converted.
    return CitaRiga(fromCp1252(bytes.substr(0, std::min(bytes.size(), CaratteriCitati + 1))));
}

}
