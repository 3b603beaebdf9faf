#include "platform/Currency.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace ravelt {

namespace {

constexpr std::uint64_t LargestMagnitude = static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + 1;

[[noreturn]] void outOfRange()
{
    throw std::overflow_error("importo fuori dall'intervallo della valuta (" + Currency::rangeText() + ")");
}

// The digits of a magnitude, with a point every three digits when grouping is set.
std::string digitsOf(std::uint64_t magnitude, bool grouping)
{
    std::string digits = std::to_string(magnitude);
    if (!grouping)
        return digits;
    std::string out;
    const std::size_t n = digits.size();
    for (std::size_t k = 0; k < n; ++k) {
        out += digits[k];
        const std::size_t left = n - k - 1;
        if (left > 0 && left % 3 == 0)
            out += '.';
    }
    return out;
}

// The magnitude of a signed value, also for the smallest one, whose negation does not fit.
std::uint64_t magnitudeOf(std::int64_t v)
{
    return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
}

}

std::optional<Currency> Currency::tryFromWhole(std::int64_t whole)
{
    std::int64_t units;
    if (__builtin_mul_overflow(whole, Scale, &units))
        return std::nullopt;
    return fromUnits(units);
}

Currency Currency::fromWhole(std::int64_t whole)
{
    auto c = tryFromWhole(whole);
    if (!c)
        outOfRange();
    return *c;
}

std::optional<Currency> Currency::tryFromDouble(double value)
{
    const double units = std::round(value * Scale);
    // 2^63 is exactly representable; every double below it converts without overflow.
    if (!(units >= -9223372036854775808.0 && units < 9223372036854775808.0))
        return std::nullopt;
    return fromUnits(static_cast<std::int64_t>(units));
}

Currency Currency::fromDouble(double value)
{
    auto c = tryFromDouble(value);
    if (!c)
        outOfRange();
    return *c;
}

std::optional<Currency> Currency::parse(std::string_view text)
{
    constexpr std::uint64_t LargestWhole = LargestMagnitude / Scale;  // 922337203685477
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    std::uint64_t whole = 0;
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        whole = whole * 10 + static_cast<std::uint64_t>(text[i] - '0');
        if (whole > LargestWhole)
            return std::nullopt;
        digits = true;
        ++i;
    }
    std::uint64_t frac = 0;
    int fracDigits = 0;
    bool roundUp = false;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
            if (fracDigits < 4) {
                frac = frac * 10 + static_cast<std::uint64_t>(text[i] - '0');
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
    const std::uint64_t magnitude = whole * Scale + frac + (roundUp ? 1 : 0);
    if (magnitude > (negative ? LargestMagnitude : LargestMagnitude - 1))
        return std::nullopt;
    return fromUnits(negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude));
}

std::string groupThousands(std::int64_t value)
{
    return (value < 0 ? "-" : "") + digitsOf(magnitudeOf(value), true);
}

// The magnitude is taken unsigned, so the smallest amount and the rounding of the
// largest ones need no room beyond 64 bits.
std::string Currency::format(int decimals, bool grouping) const
{
    decimals = std::clamp(decimals, 0, 4);
    std::uint64_t div = 1;
    for (int k = decimals; k < 4; ++k)
        div *= 10;
    const std::uint64_t a = magnitudeOf(units_);
    const std::uint64_t rounded = a / div + (a % div * 2 >= div && div > 1 ? 1 : 0);
    std::uint64_t fracScale = 1;
    for (int k = 0; k < decimals; ++k)
        fracScale *= 10;
    std::string out = digitsOf(rounded / fracScale, grouping);
    if (decimals > 0) {
        std::string f = std::to_string(rounded % fracScale);
        out += ',' + std::string(static_cast<std::size_t>(decimals) - f.size(), '0') + f;
    }
    if (units_ < 0 && rounded != 0)
        out = "-" + out;
    return out;
}

std::string Currency::rangeText()
{
    return "da " + min().format(4) + " a " + max().format(4);
}

Currency Currency::operator-() const
{
    std::int64_t r;
    if (__builtin_sub_overflow(std::int64_t{0}, units_, &r))
        outOfRange();
    return fromUnits(r);
}

Currency Currency::operator+(Currency o) const
{
    std::int64_t r;
    if (__builtin_add_overflow(units_, o.units_, &r))
        outOfRange();
    return fromUnits(r);
}

Currency Currency::operator-(Currency o) const
{
    std::int64_t r;
    if (__builtin_sub_overflow(units_, o.units_, &r))
        outOfRange();
    return fromUnits(r);
}

}
