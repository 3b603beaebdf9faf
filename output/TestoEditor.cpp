#include "output/TestoEditor.h"

#include "output/TogliAccenti.h"
#include "platform/Cp1252.h"

#include <cstdio>
#include <optional>

namespace ravelt {

namespace {

std::string describe(char32_t ch, int riga, int colonna)
{
    std::string utf8;
    appendUtf8(utf8, ch);
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(ch));
    return "il carattere \"" + utf8 + "\" (" + code + ") alla riga " + std::to_string(riga) + ", colonna " +
           std::to_string(colonna) + " non esiste nel codice dei file di stampa (Windows-1252)";
}

}

CarattereNonRappresentabile::CarattereNonRappresentabile(char32_t carattere, int riga, int colonna)
    : std::runtime_error(describe(carattere, riga, colonna)), carattere_(carattere), riga_(riga), colonna_(colonna)
{
}

std::string RigaPerEditor(std::string_view riga)
{
    return fromCp1252(TogliAccenti(riga));
}

std::string RighePerEditor(const std::vector<std::string>& righe)
{
    std::string text;
    for (const auto& r : righe) {
        text += RigaPerEditor(r);
        text += '\n';
    }
    return text;
}

std::string TestoEditorInCp1252(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    int riga = 1, colonna = 1;
    size_t i = 0;
    while (i < s.size()) {
        char32_t cp;
        int len = decodeUtf8(s, i, cp);
        if (len == 0)
            throw std::invalid_argument("testo non valido (UTF-8) alla riga " + std::to_string(riga));
        i += len;
        if (cp == '\r' && i < s.size() && s[i] == '\n') {
            continue;  // the line feed that follows ends the line
        }
        if (cp == '\n' || cp == 0x2029 || cp == 0x2028) {
            out += "\r\n";
            ++riga;
            colonna = 1;
            continue;
        }
        auto byte = cp1252FromUnicode(cp);
        if (!byte)
            throw CarattereNonRappresentabile(cp, riga, colonna);
        out += static_cast<char>(*byte);
        ++colonna;
    }
    return out;
}

}
