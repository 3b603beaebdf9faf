#pragma once
#include <string>

namespace ravelt {

// The program keeps text as UTF-8. Routines that count, take or replace characters by
// position work on code points, so that an accented letter is one character, as the
// operator sees it.
std::u32string toCodePoints(const std::string& utf8);
std::string fromCodePoints(const std::u32string& chars);

// Upper-cases one character with the simple (one-to-one) case mapping, so that the text
// keeps its length: à becomes À, ß stays ß. A character of code page 1252 whose upper
// case lies outside that code page (µ, ƒ) stays as it is, so that a password read from
// a code-page file and the same password typed on screen upper-case alike.
char32_t upperCaseChar(char32_t c);

}
