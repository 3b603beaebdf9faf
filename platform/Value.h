#pragma once
#include "platform/Currency.h"

#include <cstdint>
#include <string>
#include <variant>

namespace ravelt {

// Field types as the suite's engine names them (the DAO type codes), told from the
// declared column types of the stores.
enum class FieldType : int {
    Integer = 3,   // SMALLINT: 16-bit integer
    Long = 4,      // INTEGER: 32-bit integer
    Currency = 5,  // CURRENCY: fixed point, four decimals
    Double = 7,    // DOUBLE
    Text = 10,     // TEXT, compared without regard to letter case
};

// The value of one field of one record. Null stays Null: it is never read as 0 or "".
class Value {
public:
    Value() = default;
    Value(std::int64_t v) : v_(v) {}
    Value(int v) : v_(static_cast<std::int64_t>(v)) {}
    Value(double v) : v_(v) {}
    Value(ravelt::Currency v) : v_(v) {}
    Value(std::string v) : v_(std::move(v)) {}
    Value(const char* v) : v_(std::string(v)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(v_); }
    bool isDouble() const { return std::holds_alternative<double>(v_); }
    bool isCurrency() const { return std::holds_alternative<ravelt::Currency>(v_); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }

    // Conversions as the program reads fields: a number from text takes its leading
    // numeric part (like Val), a text from a number is its plain decimal form (point as
    // decimal separator for doubles, four decimals trimmed for amounts). Null gives 0 / "".
    std::int64_t toInt() const;
    double toDouble() const;
    ravelt::Currency toCurrency() const;
    std::string toText() const;

    const std::variant<std::monostate, std::int64_t, double, ravelt::Currency, std::string>& raw() const { return v_; }
    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, std::int64_t, double, ravelt::Currency, std::string> v_;
};

// The leading-number reading of the suite's Val: blanks are skipped, an optional sign,
// digits and one decimal point are read; reading stops at the first other character.
// "12abc" is 12, "abc" is 0, " 3.5x" is 3.5, "1,5" is 1.
double leadingNumber(std::string_view text);

}
