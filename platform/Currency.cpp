#include "platform/Currency.h"

#include <cmath>
#include <cstdlib>

namespace ravelt {

Currency Currency::fromDouble(double value)
{
    return fromUnits(static_cast<std::int64_t>(std::llround(value * Scale)));
}

std::optional<Currency> Currency::parse(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t whole = 0;
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        whole = whole * 10 + (text[i] - '0');
        if (whole > 900000000000000LL)
            return std::nullopt;
        digits = true;
        ++i;
    }
    std::int64_t frac = 0;
    int fracDigits = 0;
    bool roundUp = false;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            if (fracDigits < 4) {
                frac = frac * 10 + (text[i] - '0');
                ++fracDigits;
            } else if (fracDigits == 4) {
                roundUp = text[i] >= '5';
                ++fracDigits;
            }
            digits = true;
            ++i;
        }
    }
    while (i < text.size() && text[i] == ' ')
        ++i;
    if (!digits || i != text.size())
        return std::nullopt;
    for (int k = std::min(fracDigits, 4); k < 4; ++k)
        frac *= 10;
    std::int64_t units = whole * Scale + frac + (roundUp ? 1 : 0);
    return fromUnits(negative ? -units : units);
}

std::string groupThousands(std::int64_t value)
{
    bool negative = value < 0;
    std::uint64_t v = negative ? static_cast<std::uint64_t>(-(value + 1)) + 1 : static_cast<std::uint64_t>(value);
    std::string digits = std::to_string(v);
    std::string out;
    int n = static_cast<int>(digits.size());
    for (int k = 0; k < n; ++k) {
        out += digits[k];
        int left = n - k - 1;
        if (left > 0 && left % 3 == 0)
            out += '.';
    }
    return negative ? "-" + out : out;
}

std::string Currency::format(int decimals, bool grouping) const
{
    std::int64_t div = 1;
    for (int k = decimals; k < 4; ++k)
        div *= 10;
    std::int64_t a = units_ < 0 ? -units_ : units_;
    std::int64_t rounded = (a + div / 2) / div;
    std::int64_t fracScale = 1;
    for (int k = 0; k < decimals; ++k)
        fracScale *= 10;
    std::int64_t whole = rounded / fracScale;
    std::int64_t frac = rounded % fracScale;
    std::string out = grouping ? groupThousands(whole) : std::to_string(whole);
    if (decimals > 0) {
        std::string f = std::to_string(frac);
        out += ',' + std::string(decimals - f.size(), '0') + f;
    }
    if (units_ < 0 && rounded != 0)
        out = "-" + out;
    return out;
}

}
