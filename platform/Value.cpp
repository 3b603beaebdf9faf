#include "platform/Value.h"

#include <cmath>
#include <cstdio>

namespace ravelt {

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

std::int64_t Value::toInt() const
{
    if (auto p = std::get_if<std::int64_t>(&v_))
        return *p;
    if (auto p = std::get_if<double>(&v_))
        return static_cast<std::int64_t>(std::llround(*p));
    if (auto p = std::get_if<ravelt::Currency>(&v_)) {
        std::int64_t u = p->units();
        return (u >= 0 ? u + Currency::Scale / 2 : u - Currency::Scale / 2) / Currency::Scale;
    }
    if (auto p = std::get_if<std::string>(&v_))
        return static_cast<std::int64_t>(std::llround(leadingNumber(*p)));
    return 0;
}

double Value::toDouble() const
{
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
    return {};
}

}
