#pragma once
#include <compare>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ravelt {

// A fixed-point amount with four decimal places, held as a count of ten-thousandths in
// 64 bits. Amounts are read into this type from the stores and summed in it, never in
// floating point, so a report adds up to the cent whatever the number of payments.
class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromUnits(std::int64_t units) { Currency c; c.units_ = units; return c; }
    static constexpr Currency fromWhole(std::int64_t whole) { return fromUnits(whole * Scale); }
    // Rounds a stored floating value to the nearest ten-thousandth, halves away from zero.
    // Stored amounts have at most four decimals, so this recovers them exactly.
    static Currency fromDouble(double value);
    // Reads a plain decimal text: optional sign, digits, optional '.' or ',' and up to any
    // number of decimals (rounded to four). No grouping. Empty or malformed text: nullopt.
    static std::optional<Currency> parse(std::string_view text);

    constexpr std::int64_t units() const { return units_; }
    double toDouble() const { return static_cast<double>(units_) / Scale; }

    // Formats with the given number of decimals (rounded half away from zero), a decimal
    // comma and, when grouping is set, a point between thousands: 1.234,56 and -0,50.
    std::string format(int decimals = 2, bool grouping = true) const;

    constexpr Currency operator-() const { return fromUnits(-units_); }
    constexpr Currency operator+(Currency o) const { return fromUnits(units_ + o.units_); }
    constexpr Currency operator-(Currency o) const { return fromUnits(units_ - o.units_); }
    constexpr Currency& operator+=(Currency o) { units_ += o.units_; return *this; }
    constexpr Currency& operator-=(Currency o) { units_ -= o.units_; return *this; }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    std::int64_t units_ = 0;
};

// Groups the digits of a whole number with points every three digits: 1234567 -> 1.234.567.
std::string groupThousands(std::int64_t value);

}
