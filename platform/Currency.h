#pragma once
#include <compare>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace ravelt {

// A fixed-point amount with four decimal places, held as a count of ten-thousandths in
// 64 bits. Amounts are read into this type from the stores and summed in it, never in
// floating point, so a report adds up to the cent whatever the number of payments.
//
// Every amount the 64 bits can hold is valid, from -922.337.203.685.477,5808 to
// 922.337.203.685.477,5807. Arithmetic is checked: a sum, a difference, a negation or a
// conversion whose result falls outside that range throws std::overflow_error instead
// of wrapping around, so no figure is ever made from a result that does not fit.
class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(std::int64_t units) { Currency c; c.units_ = units; return c; }
    static constexpr Currency min() { return fromUnits(std::numeric_limits<std::int64_t>::min()); }
    static constexpr Currency max() { return fromUnits(std::numeric_limits<std::int64_t>::max()); }

    // A whole number of units of money; nullopt (try...) or std::overflow_error outside the range.
    static std::optional<Currency> tryFromWhole(std::int64_t whole);
    static Currency fromWhole(std::int64_t whole);
    // Rounds a stored floating value to the nearest ten-thousandth, halves away from zero.
    // Stored amounts have at most four decimals, so this recovers them exactly. A value
    // that is not finite or does not fit gives nullopt (try...) or std::overflow_error.
    static std::optional<Currency> tryFromDouble(double value);
    static Currency fromDouble(double value);
    // Reads a plain decimal text: optional sign, digits, optional '.' or ',' and up to any
    // number of decimals (rounded to four). No grouping. Empty or malformed text, or an
    // amount outside the range: nullopt.
    static std::optional<Currency> parse(std::string_view text);

    constexpr std::int64_t units() const { return units_; }
    double toDouble() const { return static_cast<double>(units_) / Scale; }

    // Formats with the given number of decimals, 0 to 4 (rounded half away from zero), a
    // decimal comma and, when grouping is set, a point between thousands: 1.234,56 and
    // -0,50. Exact over the whole range.
    std::string format(int decimals = 2, bool grouping = true) const;

    // "da -922.337.203.685.477,5808 a 922.337.203.685.477,5807", for messages.
    static std::string rangeText();

    Currency operator-() const;
    Currency operator+(Currency o) const;
    Currency operator-(Currency o) const;
    Currency& operator+=(Currency o) { return *this = *this + o; }
    Currency& operator-=(Currency o) { return *this = *this - o; }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    std::int64_t units_ = 0;
};

// Groups the digits of a whole number with points every three digits: 1234567 -> 1.234.567.
std::string groupThousands(std::int64_t value);

}
