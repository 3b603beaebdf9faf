#pragma once
#include <string>

namespace ravelt {

// An argument as a message quotes it: in double quotes, whole when it is short, else
// its first 40 characters, "..." and its length, so that a mistaken megabyte of text
// gives a one-line message that still tells what went wrong.
inline std::string shownArgument(const std::string& text)
{
    constexpr size_t Shown = 40;
    size_t characters = 0, cut = text.size();
    for (size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            continue;  // a continuation byte of a UTF-8 character
        if (characters == Shown)
            cut = i;
        ++characters;
    }
    if (characters <= Shown)
        return "\"" + text + "\"";
    return "\"" + text.substr(0, cut) + "...\" (" + std::to_string(characters) + " caratteri)";
}

}
