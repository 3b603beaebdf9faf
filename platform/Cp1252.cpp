#include "platform/Cp1252.h"

namespace ravelt {

namespace {

// Bytes 0x80-0x9F; the undefined ones (81, 8D, 8F, 90, 9D) keep their own value.
constexpr char32_t high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}

void appendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::optional<unsigned char> cp1252FromUnicode(char32_t cp)
{
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF))
        return static_cast<unsigned char>(cp);
    for (int k = 0; k < 32; ++k)
        if (high[k] == cp)
            return static_cast<unsigned char>(0x80 + k);
    return std::nullopt;
}

int decodeUtf8(std::string_view s, std::size_t i, char32_t& cp)
{
    unsigned char b = static_cast<unsigned char>(s[i]);
    int len;
    if (b < 0x80) {
        cp = b;
        return 1;
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
        return 0;
    }
    if (i + len > s.size())
        return 0;
    for (int k = 1; k < len; ++k) {
        unsigned char c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80)
            return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    return len;
}

char32_t cp1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte < 0xA0)
        return high[byte - 0x80];
    return byte;
}

std::string fromCp1252(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char b : bytes)
        appendUtf8(out, cp1252ToUnicode(b));
    return out;
}

std::string toCp1252(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        char32_t cp;
        int len = decodeUtf8(s, i, cp);
        if (len == 0) {
            out += '?';
            ++i;
            continue;
        }
        auto byte = cp1252FromUnicode(cp);
        out += byte ? static_cast<char>(*byte) : '?';
        i += len;
    }
    return out;
}

}
