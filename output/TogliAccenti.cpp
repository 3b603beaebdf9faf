#include "output/TogliAccenti.h"

#include <array>

namespace ravelt {

namespace {

// The replacement for each byte value, built by applying the rules in their order:
// a value keeps the replacement of the first rule that names it.
std::array<unsigned char, 256> conversionTable(bool acuteToApostrophe)
{
    std::array<unsigned char, 256> table{};
    std::array<bool, 256> decided{};
    for (int b = 0; b < 256; ++b)
        table[b] = static_cast<unsigned char>(b);
    auto rule = [&](std::initializer_list<int> bytes, unsigned char to) {
        for (int b : bytes)
            if (!decided[b]) {
                table[b] = to;
                decided[b] = true;
            }
    };
    if (acuteToApostrophe)
        rule({180}, '\'');
    rule({192}, 0xE0);  // à
    rule({200}, 0xE8);  // è
    rule({201}, 0xE9);  // é
    rule({204}, 0xEC);  // ì
    rule({217}, 0xF9);  // ù
    rule({210}, 0xF2);  // ò
    rule({179, 180, 183, 186, 195, 204}, '|');
    rule({187, 188, 191, 192, 193, 194, 196, 197, 200, 201, 202, 203, 206, 217, 218}, '-');
    return table;
}

std::string convert(std::string_view line, const std::array<unsigned char, 256>& table)
{
    std::string out(line);
    for (char& ch : out)
        ch = static_cast<char>(table[static_cast<unsigned char>(ch)]);
    return out;
}

}

std::string TogliAccenti(std::string_view line)
{
    static const auto table = conversionTable(false);
    return convert(line, table);
}

std::string Converti2(std::string_view line)
{
    static const auto table = conversionTable(true);
    return convert(line, table);
}

}
