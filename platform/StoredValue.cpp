#include "platform/StoredValue.h"

#include "platform/PlainText.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace ravelt {

namespace {

using Unreadable = Value::Unreadable;

const char* const NotANumber = "che non è un numero";

std::string outOfRange(const std::string& what)
{
    return "fuori dall'intervallo " + what;
}

std::string currencyRange()
{
    return outOfRange("della valuta (" + Currency::rangeText() + ")");
}

// The range of whole numbers a field of the type holds; bits 64 for a computed column.
struct WholeRange {
    std::int64_t lo, hi;
    int bits;

    // Why a number outside the range cannot be held, for a message.
    std::string why() const
    {
        if (bits == 64)
            return outOfRange("dei numeri interi a 64 bit");
        return outOfRange("di un intero a " + std::to_string(bits) + " bit (da " + groupThousands(lo) + " a " + groupThousands(hi) + ")");
    }
};

WholeRange wholeRange(FieldType type, bool declared)
{
    if (declared && type == FieldType::Integer)
        return {-32768, 32767, 16};
    if (declared && type == FieldType::Long)
        return {-2147483648LL, 2147483647LL, 32};
    return {std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max(), 64};
}

// True when the text reads whole as a decimal number the engine itself would take:
// blanks around, an optional sign, digits with an optional point and decimals, an
// optional exponent. 'exponent' tells whether it has one.
bool isPlainNumber(const std::string& t, bool& exponent)
{
    std::size_t i = 0;
    auto digits = [&] {
        std::size_t from = i;
        while (i < t.size() && t[i] >= '0' && t[i] <= '9')
            ++i;
        return i - from;
    };
    while (i < t.size() && t[i] == ' ')
        ++i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-'))
        ++i;
    std::size_t n = digits();
    if (i < t.size() && t[i] == '.') {
        ++i;
        n += digits();
    }
    if (n == 0)
        return false;
    exponent = false;
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        ++i;
        if (i < t.size() && (t[i] == '+' || t[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
        exponent = true;
    }
    while (i < t.size() && t[i] == ' ')
        ++i;
    return i == t.size();
}

// A whole number read for a numeric field.
Value fromWhole(std::int64_t v, FieldType type, bool declared, const std::string& field)
{
    switch (type) {
    case FieldType::Currency:
        if (auto c = Currency::tryFromWhole(v))
            return Value(*c);
        return Value(Unreadable{.field = field, .kind = Unreadable::Kind::Integer, .integer = v, .why = currencyRange()});
    case FieldType::Double:
        return Value(static_cast<double>(v));
    default: {
        const WholeRange r = wholeRange(type, declared);
        if (v < r.lo || v > r.hi)
            return Value(Unreadable{.field = field, .kind = Unreadable::Kind::Integer, .integer = v, .why = r.why()});
        return Value(v);
    }
    }
}

// A floating number read for a numeric field.
Value fromReal(double v, FieldType type, bool declared, const std::string& field)
{
    if (!std::isfinite(v))
        return Value(Unreadable{.field = field, .kind = Unreadable::Kind::Real, .real = v, .why = "che non è un numero finito"});
    switch (type) {
    case FieldType::Currency:
        if (auto c = Currency::tryFromDouble(v))
            return Value(*c);
        return Value(Unreadable{.field = field, .kind = Unreadable::Kind::Real, .real = v, .why = currencyRange()});
    case FieldType::Double:
        return Value(v);
    default: {
        const WholeRange r = wholeRange(type, declared);
        auto n = roundedToInt64(v);
        if (!n || *n < r.lo || *n > r.hi)
            return Value(Unreadable{.field = field, .kind = Unreadable::Kind::Real, .real = v, .why = r.why()});
        return Value(*n);
    }
    }
}

// A text read for a numeric field: a plain number as that number, kept as the text it
// was when it does not fit.
Value fromText(const std::string& t, FieldType type, bool declared, const std::string& field)
{
    bool exponent = false;
    if (!isPlainNumber(t, exponent))
        return Value(Unreadable{.field = field, .kind = Unreadable::Kind::Text, .bytes = t, .why = NotANumber});
    if (type == FieldType::Currency && !exponent) {
        if (auto c = Currency::parse(t))
            return Value(*c);
        return Value(Unreadable{.field = field, .kind = Unreadable::Kind::Text, .bytes = t, .why = currencyRange()});
    }
    Value v = fromReal(std::strtod(t.c_str(), nullptr), type, declared, field);
    if (v.isUnreadable())
        return Value(Unreadable{.field = field, .kind = Unreadable::Kind::Text, .bytes = t, .why = v.unreadable().why});
    return v;
}

}

FieldType fieldTypeOf(const char* declaredType, StoredKind storage)
{
    if (declaredType) {
        std::string d = upperAscii(declaredType);
        if (d.find("SMALLINT") != std::string::npos)
            return FieldType::Integer;
        if (d.find("CURRENCY") != std::string::npos || d.find("MONEY") != std::string::npos)
            return FieldType::Currency;
        if (d.find("DOUBLE") != std::string::npos || d.find("REAL") != std::string::npos || d.find("FLOAT") != std::string::npos)
            return FieldType::Double;
        if (d.find("INT") != std::string::npos)
            return FieldType::Long;
        if (d.find("TEXT") != std::string::npos || d.find("CHAR") != std::string::npos)
            return FieldType::Text;
    }
    switch (storage) {
    case StoredKind::Integer: return FieldType::Long;
    case StoredKind::Text: return FieldType::Text;
    default: return FieldType::Double;
    }
}

const char* declaredTypeName(FieldType type)
{
    switch (type) {
    case FieldType::Integer: return "SMALLINT";
    case FieldType::Long: return "INTEGER";
    case FieldType::Currency: return "CURRENCY";
    case FieldType::Double: return "DOUBLE";
    case FieldType::Text: return "TEXT";
    }
    return "TEXT";
}

int declaredTextSize(const std::string& declared)
{
    const auto open = declared.find('(');
    return open == std::string::npos ? 0 : std::atoi(declared.c_str() + open + 1);
}

FieldDef fieldDefOf(const std::string& name, const std::string& declared, FieldType undeclared)
{
    const FieldType type = declared.empty() ? undeclared : fieldTypeOf(declared.c_str(), StoredKind::Null);
    return FieldDef{name, type, type == FieldType::Text ? declaredTextSize(declared) : 0};
}

Value readStored(const StoredValue& stored, FieldType type, bool declared, const std::string& field)
{
    if (stored.kind == StoredKind::Null)
        return {};
    if (type == FieldType::Text) {
        if (stored.kind == StoredKind::Integer)
            return Value(std::to_string(stored.integer));
        return Value(stored.bytes);
    }
    switch (stored.kind) {
    case StoredKind::Integer: return fromWhole(stored.integer, type, declared, field);
    case StoredKind::Real: return fromReal(stored.real, type, declared, field);
    case StoredKind::Text: return fromText(stored.bytes, type, declared, field);
    default: return Value(Unreadable{.field = field, .kind = Unreadable::Kind::Blob, .bytes = stored.bytes, .why = NotANumber});
    }
}

}
