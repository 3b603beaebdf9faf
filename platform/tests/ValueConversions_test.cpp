#include "platform/UnreadableValueError.h"
#include "platform/Value.h"

#include <gtest/gtest.h>
#include <optional>
#include <stdexcept>

using namespace ravelt;

namespace {

Value unreadable(Value::Unreadable::Kind kind, std::string bytes, std::int64_t integer = 0, double real = 0)
{
    Value::Unreadable u;
    u.field = "Importo";
    u.kind = kind;
    u.bytes = std::move(bytes);
    u.integer = integer;
    u.real = real;
    u.why = "fuori dall'intervallo";
    return Value(u);
}

}

// Each kind of value read as a number, an amount and a text, as the program reads
// fields: Null is 0 and "", a text gives its leading number, amounts show at most their
// four decimals with a point.
TEST(ValueConversions, EachKindAsNumberAmountAndText)
{
    struct Case {
        Value v;
        std::optional<std::int64_t> asInt;     // nullopt: UnreadableValueError
        double asDouble;
        std::optional<Currency> asCurrency;    // nullopt: std::overflow_error
        const char* asText;
    } cases[] = {
        {Value(), 0, 0, Currency(), ""},
        {Value(-5), -5, -5, Currency::fromWhole(-5), "-5"},
        {Value(std::int64_t{9007199254740993}), 9007199254740993, 9007199254740992.0, std::nullopt, "9007199254740993"},
        {Value(0.1), 0, 0.1, Currency::fromUnits(1000), "0.1"},
        {Value(-2.5), -3, -2.5, Currency::fromUnits(-25000), "-2.5"},
        {Value(1e20), std::nullopt, 1e20, std::nullopt, "1e+20"},
        {Value(Currency::fromUnits(123456)), 12, 12.3456, Currency::fromUnits(123456), "12.3456"},
        {Value(Currency::fromWhole(100)), 100, 100, Currency::fromWhole(100), "100"},
        {Value(Currency::fromUnits(-5000)), -1, -0.5, Currency::fromUnits(-5000), "-0.5"},
        {Value(Currency()), 0, 0, Currency(), "0"},
        {Value(Currency::min()), -922337203685478, -922337203685477.5808, Currency::min(), "-922337203685477.5808"},
        {Value("12.5x"), 13, 12.5, Currency::fromUnits(125000), "12.5x"},
        {Value(" -3"), -3, -3, Currency::fromWhole(-3), " -3"},
        {Value("abc"), 0, 0, Currency(), "abc"},
        {Value(""), 0, 0, Currency(), ""},
    };
    for (const auto& c : cases) {
        const std::string what = "[" + c.v.toText() + "]";
        EXPECT_EQ(c.v.toText(), c.asText) << what;
        EXPECT_DOUBLE_EQ(c.v.toDouble(), c.asDouble) << what;
        if (c.asInt)
            EXPECT_EQ(c.v.toInt(), *c.asInt) << what;
        else
            EXPECT_THROW(c.v.toInt(), UnreadableValueError) << what;
        if (c.asCurrency)
            EXPECT_EQ(c.v.toCurrency(), *c.asCurrency) << what;
        else
            EXPECT_THROW(c.v.toCurrency(), std::overflow_error) << what;
    }
}

// An unreadable value shows as text what the store holds, or nothing for a blob, and
// gives no number of any kind.
TEST(ValueConversions, UnreadableKindsShowWhatIsStored)
{
    using K = Value::Unreadable::Kind;
    struct Case {
        Value v;
        const char* text;
        const char* shown;
    } cases[] = {
        {unreadable(K::Text, "1.234,56"), "1.234,56", "\"1.234,56\""},
        {unreadable(K::Blob, std::string("\0\xff", 2)), "", "un dato binario di 2 byte"},
        {unreadable(K::Integer, {}, 70000), "70000", "70000"},
        {unreadable(K::Real, {}, 0, 1e300), "1e+300", "1e+300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.v.toText(), c.text) << c.shown;
        EXPECT_EQ(c.v.unreadable().shown(), c.shown);
        EXPECT_THROW(c.v.toDouble(), UnreadableValueError) << c.shown;
        EXPECT_THROW(c.v.toCurrency(), UnreadableValueError) << c.shown;
        EXPECT_THROW(c.v.toInt(), UnreadableValueError) << c.shown;
    }
}
