#include "output/TestoEditor.h"

#include "output/TogliAccenti.h"
#include "platform/Cp1252.h"

#include <array>
#include <cstdio>
#include <optional>

namespace ravelt {

namespace {

std::string describe(char32_t ch, int riga, int colonna)
{
    std::string utf8;
    if (ch < 0x80) {
        utf8 += static_cast<char>(ch);
    } else if (ch < 0x800) {
        utf8 += static_cast<char>(0xC0 | (ch >> 6));
        utf8 += static_cast<char>(0x80 | (ch & 0x3F));
    } else if (ch < 0x10000) {
        utf8 += static_cast<char>(0xE0 | (ch >> 12));
        utf8 += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (ch & 0x3F));
    } else {
        utf8 += static_cast<char>(0xF0 | (ch >> 18));
        utf8 += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
        utf8 += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
        utf8 += static_cast<char>(0x80 | (ch & 0x3F));
    }
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(ch));
    return "il carattere \"" + utf8 + "\" (" + code + ") alla riga " + std::to_string(riga) + ", colonna " +
           std::to_string(colonna) + " non esiste nel codice dei file di stampa (Windows-1252)";
}

// The code page's byte for each code point it holds, found from the code page's own
// byte-to-character table.
std::optional<unsigned char> byteFor(char32_t ch)
{
    static const auto table = [] {
        std::array<char32_t, 256> t{};
        for (int b = 0; b < 256; ++b)
            t[b] = cp1252ToUnicode(static_cast<unsigned char>(b));
        return t;
    }();
    if (ch < 0x80)
        return static_cast<unsigned char>(ch);
    for (int b = 0x80; b < 256; ++b)
        if (table[b] == ch)
            return static_cast<unsigned char>(b);
    return std::nullopt;
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
        unsigned char b = static_cast<unsigned char>(s[i]);
        char32_t cp;
        int len;
        if (b < 0x80) {
            cp = b;
            len = 1;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            len = 2;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            len = 3;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            len = 4;
        } else {
            throw std::invalid_argument("testo non valido (UTF-8) alla riga " + std::to_string(riga));
        }
        if (i + len > s.size())
            throw std::invalid_argument("testo non valido (UTF-8) alla riga " + std::to_string(riga));
        for (int k = 1; k < len; ++k) {
            unsigned char c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80)
                throw std::invalid_argument("testo non valido (UTF-8) alla riga " + std::to_string(riga));
            cp = (cp << 6) | (c & 0x3F);
        }
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
        auto byte = byteFor(cp);
        if (!byte)
            throw CarattereNonRappresentabile(cp, riga, colonna);
        out += static_cast<char>(*byte);
        ++colonna;
    }
    return out;
}

}
