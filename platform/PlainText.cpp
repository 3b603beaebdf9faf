#include "platform/PlainText.h"

namespace ravelt {

namespace {

template <typename Pred>
std::string trimmedBy(std::string_view text, Pred blank)
{
    std::size_t first = 0;
    while (first < text.size() && blank(text[first]))
        ++first;
    std::size_t end = text.size();
    while (end > first && blank(text[end - 1]))
        --end;
    return std::string(text.substr(first, end - first));
}

}

std::string trimBlanks(std::string_view text)
{
    return trimmedBy(text, isBlank);
}

std::string trimSpaces(std::string_view text)
{
    return trimmedBy(text, [](char c) { return c == ' '; });
}

char lowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowerAscii(std::string text)
{
    for (char& c : text)
        c = lowerAscii(c);
    return text;
}

std::string upperAscii(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

}
