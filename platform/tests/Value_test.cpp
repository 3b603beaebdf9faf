#include "platform/UnreadableValueError.h"
#include "platform/Value.h"

#include <gtest/gtest.h>
#include <limits>
#include <stdexcept>

using namespace ravelt;

namespace {

Value unreadableText(const char* field, const char* text, const char* why)
{
    Value::Unreadable u;
    u.field = field;
    u.kind = Value::Unreadable::Kind::Text;
    u.bytes = text;
    u.why = why;
    return Value(u);
}

}

// Whole numbers from amounts round half away from zero, at the ends of the range too;
// numbers beyond 64 bits are refused instead of converted.
TEST(ValueToInt, RoundsAndRefusesWhatDoesNotFit)
{
    struct Case {
        Value v;
        std::optional<std::int64_t> expected;  // nullopt: UnreadableValueError
    } cases[] = {
        {Value(Currency::max()), 922337203685478},
        {Value(Currency::min()), -922337203685478},
        {Value(Currency::fromUnits(5000)), 1},
        {Value(Currency::fromUnits(-5000)), -1},
        {Value(Currency::fromUnits(4999)), 0},
        {Value(2.5), 3},
        {Value(-2.5), -3},
        {Value(9.2e18), 9200000000000000000},
        {Value(9.3e18), std::nullopt},
        {Value(-1e300), std::nullopt},
        {Value(std::numeric_limits<double>::quiet_NaN()), std::nullopt},
        {Value("12abc"), 12},
        {Value("abc"), 0},
        {Value("99999999999999999999"), std::nullopt},
        {Value(std::string(400, '9')), std::nullopt},
    };
    for (const auto& c : cases) {
        if (c.expected) {
            EXPECT_EQ(c.v.toInt(), *c.expected) << c.v.toText();
        } else {
            EXPECT_THROW(c.v.toInt(), UnreadableValueError) << c.v.toText();
        }
    }
}

// An unreadable value shows what it holds but gives no number: every conversion names
// the field and the value.
TEST(ValueUnreadable, ShowsWhatItHoldsAndGivesNoNumber)
{
    const Value v = unreadableText("Importo", "1.234,56", "che non è un numero");
    EXPECT_TRUE(v.isUnreadable());
    EXPECT_FALSE(v.isNull());
    EXPECT_EQ(v.toText(), "1.234,56");
    EXPECT_EQ(v.unreadable().description(), "il campo Importo contiene \"1.234,56\", che non è un numero");
    for (int k = 0; k < 4; ++k) {
        try {
            switch (k) {
            case 0: v.toInt(); break;
            case 1: v.toDouble(); break;
            case 2: v.toCurrency(); break;
            case 3: v.requireReadable(); break;
            }
            ADD_FAILURE() << "conversion " << k << " gave a number";
        } catch (const UnreadableValueError& e) {
            EXPECT_EQ(e.field(), "Importo");
            EXPECT_EQ(e.value(), "\"1.234,56\"");
            EXPECT_STREQ(e.what(), "il campo Importo contiene \"1.234,56\", che non è un numero");
        }
    }
    EXPECT_NO_THROW(Value(3).requireReadable());
    EXPECT_NO_THROW(Value().requireReadable());
}

TEST(ValueToCurrency, NumbersOutOfTheRangeThrow)
{
    EXPECT_EQ(Value(std::int64_t{922337203685477}).toCurrency(), Currency::fromWhole(922337203685477));
    EXPECT_THROW(Value(std::int64_t{1000000000000000}).toCurrency(), std::overflow_error);
    EXPECT_THROW(Value(1e300).toCurrency(), std::overflow_error);
    EXPECT_THROW(Value(std::string(30, '9')).toCurrency(), std::overflow_error);
}
