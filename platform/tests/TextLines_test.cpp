#include "platform/TextLines.h"

#include <gtest/gtest.h>

using namespace ravelt;

TEST(splitLines, LineEndsAndTheLastLine)
{
    using L = std::vector<std::string>;
    struct Case {
        std::string bytes;
        L lines;
    } cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},              // the last line may lack its line end
        {"a\nb\n", {"a", "b"}},              // a lone LF ends a line too
        {"a\r\n\r\nb", {"a", "", "b"}},      // an empty line is kept
        {"\x0c\r\nx\x0c y\r\n", {"\x0c", "x\x0c y"}},
        {"a\rb\r\n", {"a\rb"}},              // a CR inside a line is text
        {"a\r", {"a"}},                      // a CR that ends the bytes is a line end
        {"\xb3\xc4\r\n", {"\xb3\xc4"}},      // bytes kept as they are
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitLines(c.bytes), c.lines) << c.bytes;
}
