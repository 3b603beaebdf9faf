#include "fuzz/FuzzCheck.h"

#include "platform/Cp1252.h"

#include <cstdio>
#include <cstdlib>

namespace ravelt::fuzz {

void require(bool ok, const std::string& what)
{
    if (ok)
        return;
    std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
    std::abort();
}

bool isUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp;
        int len = decodeUtf8(text, i, cp);
        if (len == 0)
            return false;
        i += static_cast<std::size_t>(len);
    }
    return true;
}

const ravelt::testing::TempFolder& scratch()
{
    static const ravelt::testing::TempFolder folder;
    return folder;
}

}
