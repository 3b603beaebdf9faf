#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ravelt {

// Conversions between the program's UTF-8 text and the single-byte code page 1252 of
// the report file. Every byte 0-255 maps to one character and back (the five bytes the
// code page leaves undefined map to the control characters of the same value), so a
// report file's bytes survive a round trip through text unchanged.
std::string toCp1252(std::string_view utf8);   // characters outside the code page become '?'
std::string fromCp1252(std::string_view bytes);

// The Unicode code point of one code-page-1252 byte.
char32_t cp1252ToUnicode(unsigned char byte);

// The code-page byte of a character; nullopt when the code page has none for it.
std::optional<unsigned char> cp1252FromUnicode(char32_t cp);

// Decodes the UTF-8 character that starts at s[i] into cp and returns its length in
// bytes; 0 when the bytes there are not a whole, well-formed character.
int decodeUtf8(std::string_view s, std::size_t i, char32_t& cp);

// Appends the UTF-8 form of a character.
void appendUtf8(std::string& out, char32_t cp);

}
