#include "platform/TextLines.h"

namespace ravelt {

std::vector<std::string> splitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t lf = bytes.find('\n', start);
        std::size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        std::size_t textEnd = end;
        if (textEnd > start && bytes[textEnd - 1] == '\r')
            --textEnd;
        lines.emplace_back(bytes.substr(start, textEnd - start));
        start = end + 1;
    }
    return lines;
}

}
