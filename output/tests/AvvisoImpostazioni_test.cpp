#include "output/AvvisoImpostazioni.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

TEST(CitaRiga, AtMostFortyCharactersAndNoControlCharacters)
{
    const std::string quaranta(40, 'a');
    std::string accentate;
    for (int i = 0; i < 41; ++i)
        accentate += "\xc3\xa0";  // à
    struct Caso {
        const char* cosa;
        std::string testo, citato;
    } casi[] = {
        {"short", "abc", "\"abc\""},
        {"empty", "", "\"\""},
        {"forty characters whole", quaranta, "\"" + quaranta + "\""},
        {"one more is cut", quaranta + "b", "\"" + quaranta + "...\""},
        {"characters, not bytes", accentate, "\"" + accentate.substr(0, 80) + "...\""},
        {"control characters", std::string("a\tb\0c\x7f", 6), "\"a?b?c?\""},
        {"a byte that is no UTF-8", "a\xff" "b", "\"a?b\""},
    };
    for (const auto& c : casi)
        EXPECT_EQ(CitaRiga(c.testo), c.citato) << c.cosa;

    EXPECT_EQ(CitaRigaCp1252("citt\xe0"), "\"citt\xc3\xa0\"");
    EXPECT_EQ(CitaRigaCp1252(std::string(10'000'000, 'x')), "\"" + std::string(40, 'x') + "...\"");
}

}
