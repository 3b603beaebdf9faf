#include "platform/SqliteBinding.h"

#include "platform/PlainText.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sqlite3.h>

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

void bindValue(sqlite3_stmt* st, int index, const Value& v)
{
    const auto& raw = v.raw();
    if (auto p = std::get_if<std::int64_t>(&raw))
        sqlite3_bind_int64(st, index, *p);
    else if (auto p = std::get_if<double>(&raw))
        sqlite3_bind_double(st, index, *p);
    else if (auto p = std::get_if<Currency>(&raw)) {
        if (p->units() % Currency::Scale == 0)
            sqlite3_bind_int64(st, index, p->units() / Currency::Scale);
        else
            sqlite3_bind_double(st, index, p->toDouble());
    } else if (auto p = std::get_if<std::string>(&raw))
        sqlite3_bind_text(st, index, p->data(), static_cast<int>(p->size()), SQLITE_TRANSIENT);
    else if (auto p = std::get_if<Value::Unreadable>(&raw)) {
        switch (p->kind) {
        case Unreadable::Kind::Text:
            sqlite3_bind_text(st, index, p->bytes.data(), static_cast<int>(p->bytes.size()), SQLITE_TRANSIENT);
            break;
        case Unreadable::Kind::Blob:
            sqlite3_bind_blob(st, index, p->bytes.data(), static_cast<int>(p->bytes.size()), SQLITE_TRANSIENT);
            break;
        case Unreadable::Kind::Integer: sqlite3_bind_int64(st, index, p->integer); break;
        case Unreadable::Kind::Real: sqlite3_bind_double(st, index, p->real); break;
        }
    } else
        sqlite3_bind_null(st, index);
}

FieldType fieldTypeOf(const char* declaredType, int storage)
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
    case SQLITE_INTEGER: return FieldType::Long;
    case SQLITE_TEXT: return FieldType::Text;
    default: return FieldType::Double;
    }
}

Value readValue(sqlite3_value* stored, FieldType type, bool declared, const std::string& field)
{
    const int storage = sqlite3_value_type(stored);
    if (storage == SQLITE_NULL)
        return {};
    auto bytes = [stored](bool blob) {
        const void* p = blob ? sqlite3_value_blob(stored) : static_cast<const void*>(sqlite3_value_text(stored));
        const int n = sqlite3_value_bytes(stored);
        return p ? std::string(static_cast<const char*>(p), static_cast<std::size_t>(n)) : std::string();
    };
    if (type == FieldType::Text) {
        if (storage == SQLITE_INTEGER)
            return Value(std::to_string(sqlite3_value_int64(stored)));
        return Value(bytes(false));
    }
    switch (storage) {
    case SQLITE_INTEGER: return fromWhole(sqlite3_value_int64(stored), type, declared, field);
    case SQLITE_FLOAT: return fromReal(sqlite3_value_double(stored), type, declared, field);
    case SQLITE_TEXT: return fromText(bytes(false), type, declared, field);
    default: return Value(Unreadable{.field = field, .kind = Unreadable::Kind::Blob, .bytes = bytes(true), .why = NotANumber});
    }
}

}
