#include "platform/SqlQuote.h"

namespace ravelt {

namespace {

std::string quotedWith(std::string_view text, char mark)
{
    std::string out(1, mark);
    out.reserve(text.size() + 2);
    for (char ch : text) {
        out += ch;
        if (ch == mark)
            out += mark;
    }
    return out + mark;
}

}

std::string sqlTextLiteral(std::string_view text)
{
    return quotedWith(text, '\'');
}

std::string sqlIdentifier(std::string_view name)
{
    return quotedWith(name, '"');
}

}
