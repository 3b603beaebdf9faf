#include "platform/Cp1252.h"

#include <gtest/gtest.h>

using namespace ravelt;

TEST(fromCp1252, EveryByteRoundTrips)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(toCp1252(fromCp1252(all)), all);
}

TEST(toCp1252, AccentsEuroAndUnknownCharacters)
{
    EXPECT_EQ(toCp1252("caff\xC3\xA8 \xE2\x82\xAC"), "caff\xE8 \x80");
    EXPECT_EQ(toCp1252("\xE2\x94\x80"), "?");  // a box-drawing character has no byte here
    EXPECT_EQ(fromCp1252("\xB4"), "\xC2\xB4");
}
