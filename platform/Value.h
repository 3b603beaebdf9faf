#pragma once
#include "platform/Currency.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
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
//
// A numeric field can hold what its type cannot: the suite's stores take whatever a
// writer gives them, a text such as "abc", a blob, or a number beyond the type's range.
// Such a value is read as unreadable: it keeps what was stored, so it can be shown,
// named in a message and written back unchanged, but every conversion to a number
// raises UnreadableValueError, so that no figure is ever made from it by accident.
class Value {
public:
    // What an unreadable value holds, and why its field's type cannot hold it.
    struct Unreadable {
        enum class Kind { Text, Blob, Integer, Real };
        std::string field = {};  // the field's name; "" when the value was not read from a field
        Kind kind = Kind::Text;
        std::string bytes = {};  // Text and Blob: the stored bytes
        std::int64_t integer = 0;
        double real = 0;
        std::string why = {};    // follows the value in a message: "che non è un numero", "fuori dall'intervallo ..."

        // The value as a message shows it: "\"abc\"", "un dato binario di 2 byte", "70000", "1e+300".
        std::string shown() const;
        // "il campo Importo contiene \"abc\", che non è un numero".
        std::string description() const;
        bool operator==(const Unreadable&) const = default;
    };

    Value() = default;
    Value(std::int64_t v) : v_(v) {}
    Value(int v) : v_(static_cast<std::int64_t>(v)) {}
    Value(double v) : v_(v) {}
    Value(ravelt::Currency v) : v_(v) {}
    Value(std::string v) : v_(std::move(v)) {}
    Value(const char* v) : v_(std::string(v)) {}
    explicit Value(Unreadable v) : v_(std::move(v)) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(v_); }
    bool isDouble() const { return std::holds_alternative<double>(v_); }
    bool isCurrency() const { return std::holds_alternative<ravelt::Currency>(v_); }
    bool isText() const { return std::holds_alternative<std::string>(v_); }
    bool isUnreadable() const { return std::holds_alternative<Unreadable>(v_); }
    // What an unreadable value holds; only for an unreadable value.
    const Unreadable& unreadable() const { return std::get<Unreadable>(v_); }
    // Raises UnreadableValueError for an unreadable value, does nothing for any other:
    // for the places that make a figure from a value without converting it themselves.
    void requireReadable() const;

    // Conversions as the program reads fields: a number from text takes its leading
    // numeric part (like Val), a text from a number is its plain decimal form (point as
    // decimal separator for doubles, four decimals trimmed for amounts). Null gives 0 / "".
    // A number that does not fit the result raises UnreadableValueError (toInt) or
    // std::overflow_error (toCurrency); an unreadable value raises UnreadableValueError.
    // The text of an unreadable value is the text it holds, its number in decimals, or
    // "" for a blob, so that display paths show what the store holds.
    std::int64_t toInt() const;
    double toDouble() const;
    ravelt::Currency toCurrency() const;
    std::string toText() const;

    const std::variant<std::monostate, std::int64_t, double, ravelt::Currency, std::string, Unreadable>& raw() const { return v_; }
    bool operator==(const Value&) const = default;

private:
    std::variant<std::monostate, std::int64_t, double, ravelt::Currency, std::string, Unreadable> v_;
};

// The leading-number reading of the suite's Val: blanks are skipped, an optional sign,
// digits and one decimal point are read; reading stops at the first other character.
// "12abc" is 12, "abc" is 0, " 3.5x" is 3.5, "1,5" is 1. A string of digits too long
// for a double reads as infinity.
double leadingNumber(std::string_view text);

// The whole number nearest to a double, halves away from zero, when it fits in 64 bits.
std::optional<std::int64_t> roundedToInt64(double value);

}
