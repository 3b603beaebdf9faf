#include "platform/Value.h"

#include "platform/UnreadableValueError.h"

#include <cmath>
#include <cstdio>

namespace ravelt {

namespace {

std::string numberText(double v)
{
    if (std::isinf(v))
        return v < 0 ? "-infinito" : "infinito";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.15g", v);
    return buf;
}

// At most this many bytes of a stored text go into a message, cut at a character.
constexpr std::size_t ShownTextBytes = 60;

[[noreturn]] void notAWholeNumber(const std::string& shown)
{
    throw UnreadableValueError({}, shown, "il valore " + shown + " è fuori dall'intervallo dei numeri interi a 64 bit");
}

}

std::string Value::Unreadable::shown() const
{
    switch (kind) {
    case Kind::Text: {
        std::string t = bytes;
        if (t.size() > ShownTextBytes) {
            std::size_t cut = ShownTextBytes;
            while (cut > 0 && (static_cast<unsigned char>(t[cut]) & 0xC0) == 0x80)
                --cut;
            t = t.substr(0, cut) + "...";
        }
        return "\"" + t + "\"";
    }
    case Kind::Blob: return "un dato binario di " + std::to_string(bytes.size()) + " byte";
    case Kind::Integer: return std::to_string(integer);
    case Kind::Real: return numberText(real);
    }
    return {};
}

std::string Value::Unreadable::description() const
{
    return (field.empty() ? std::string("il valore ") : "il campo " + field + " contiene ") + shown() + ", " + why;
}

void Value::requireReadable() const
{
    if (auto p = std::get_if<Unreadable>(&v_))
        throw UnreadableValueError(p->field, p->shown(), p->description());
}

double leadingNumber(std::string_view text)
{
    std::string digits;
    size_t i = 0;
    auto skipBlanks = [&] { while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i; };
    skipBlanks();
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        digits += text[i++];
    bool point = false;
    bool any = false;
    for (; i < text.size(); ++i) {
        char ch = text[i];
        if (ch >= '0' && ch <= '9') {
            digits += ch;
            any = true;
        } else if (ch == '.' && !point) {
            digits += ch;
            point = true;
        } else if (ch == ' ' || ch == '\t') {
            continue;  // the suite's Val ignores blanks inside the number
        } else {
            break;
        }
    }
    if (!any)
        return 0;
    return std::strtod(digits.c_str(), nullptr);
}

std::optional<std::int64_t> roundedToInt64(double value)
{
    const double r = std::round(value);
    // 2^63 is exactly representable; every double below it converts without overflow.
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
        return std::nullopt;
    return static_cast<std::int64_t>(r);
}

std::int64_t Value::toInt() const
{
    requireReadable();
    if (auto p = std::get_if<std::int64_t>(&v_))
        return *p;
    if (auto p = std::get_if<double>(&v_)) {
        if (auto n = roundedToInt64(*p))
            return *n;
        notAWholeNumber(numberText(*p));
    }
    if (auto p = std::get_if<ravelt::Currency>(&v_)) {
        // Halves away from zero, without adding half a unit that might not fit.
        const std::int64_t u = p->units();
        std::int64_t q = u / Currency::Scale;
        const std::int64_t r = u % Currency::Scale;
        if (r >= Currency::Scale / 2)
            ++q;
        else if (r <= -Currency::Scale / 2)
            --q;
        return q;
    }
    if (auto p = std::get_if<std::string>(&v_)) {
        if (auto n = roundedToInt64(leadingNumber(*p)))
            return *n;
        notAWholeNumber("\"" + *p + "\"");
    }
    return 0;
}

double Value::toDouble() const
{
    requireReadable();
    if (auto p = std::get_if<std::int64_t>(&v_))
        return static_cast<double>(*p);
    if (auto p = std::get_if<double>(&v_))
        return *p;
    if (auto p = std::get_if<ravelt::Currency>(&v_))
        return p->toDouble();
    if (auto p = std::get_if<std::string>(&v_))
        return leadingNumber(*p);
    return 0;
}

ravelt::Currency Value::toCurrency() const
{
    requireReadable();
    if (auto p = std::get_if<std::int64_t>(&v_))
        return ravelt::Currency::fromWhole(*p);
    if (auto p = std::get_if<double>(&v_))
        return ravelt::Currency::fromDouble(*p);
    if (auto p = std::get_if<ravelt::Currency>(&v_))
        return *p;
    if (auto p = std::get_if<std::string>(&v_)) {
        if (auto c = ravelt::Currency::parse(*p))
            return *c;
        return ravelt::Currency::fromDouble(leadingNumber(*p));
    }
    return {};
}

std::string Value::toText() const
{
    if (auto p = std::get_if<std::int64_t>(&v_))
        return std::to_string(*p);
    if (auto p = std::get_if<double>(&v_)) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.15g", *p);
        return buf;
    }
    if (auto p = std::get_if<ravelt::Currency>(&v_)) {
        std::string s = p->format(4, false);
        while (!s.empty() && s.back() == '0')
            s.pop_back();
        if (!s.empty() && s.back() == ',')
            s.pop_back();
        for (auto& ch : s)
            if (ch == ',')
                ch = '.';
        return s;
    }
    if (auto p = std::get_if<std::string>(&v_))
        return *p;
    if (auto p = std::get_if<Unreadable>(&v_)) {
        switch (p->kind) {
        case Unreadable::Kind::Text: return p->bytes;
        case Unreadable::Kind::Blob: return {};
        case Unreadable::Kind::Integer: return std::to_string(p->integer);
        case Unreadable::Kind::Real: return Value(p->real).toText();
        }
    }
    return {};
}

}
