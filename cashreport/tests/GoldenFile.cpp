#include "cashreport/tests/GoldenFile.h"

#include "platform/AtomicFile.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace ravelt::testing {

namespace {

std::vector<std::string> splitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (;;) {
        std::size_t at = bytes.find("\r\n", from);
        if (at == std::string::npos) {
            lines.push_back(bytes.substr(from));
            return lines;
        }
        lines.push_back(bytes.substr(from, at - from));
        from = at + 2;
    }
}

}

std::string visibleBytes(const std::string& bytes)
{
    std::string out;
    for (unsigned char ch : bytes) {
        if (ch >= 0x20 && ch < 0x7F && ch != '\\') {
            out += static_cast<char>(ch);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", ch);
            out += buf;
        }
    }
    return out;
}

::testing::AssertionResult matchesGolden(const std::string& actual, const std::string& goldenName)
{
    const std::string path = std::string(RAVELT_TEST_DATA) + "/" + goldenName;
    std::string expected;
    try {
        expected = readFileBytes(path);
    } catch (const std::exception& e) {
        return ::testing::AssertionFailure() << e.what();
    }
    if (actual == expected)
        return ::testing::AssertionSuccess();

    auto want = splitLines(expected);
    auto got = splitLines(actual);
    auto failure = ::testing::AssertionFailure();
    failure << "report differs from " << goldenName << " (" << got.size() << " lines, expected " << want.size() << ")\n";
    for (std::size_t i = 0; i < std::max(want.size(), got.size()); ++i) {
        const std::string w = i < want.size() ? want[i] : std::string("<no line>");
        const std::string g = i < got.size() ? got[i] : std::string("<no line>");
        if (w == g)
            continue;
        std::size_t at = 0;
        while (at < w.size() && at < g.size() && w[at] == g[at])
            ++at;
        failure << "line " << i + 1 << ", first difference at byte " << at + 1 << ":\n"
                << "  expected: " << visibleBytes(w) << "\n"
                << "  actual:   " << visibleBytes(g) << "\n";
    }
    return failure;
}

}
