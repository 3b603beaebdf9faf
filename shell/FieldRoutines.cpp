#include "shell/FieldRoutines.h"

#include "platform/Clock.h"
#include "platform/Value.h"
#include "shell/TextChars.h"

#include <cmath>
#include "platform/PlainText.h"

namespace ravelt {

namespace {

constexpr char32_t AcuteAccent = U'\u00B4';

bool isDigit(char32_t c)
{
    return c >= U'0' && c <= U'9';
}

// Adds one to a string of decimal digits: "199" -> "200".
std::string incrementDigits(std::string digits)
{
    for (size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return digits;
        }
        digits[i] = '0';
    }
    return "1" + digits;
}

std::string groupByPoints(const std::string& digits)
{
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += '.';
        out += digits[i];
    }
    return out;
}

// The grouped form of mode 2, worked on the digits themselves so that no length of
// number loses precision. 'text' holds only digits, commas and minus signs.
std::string formatGrouped(const std::string& text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    std::string whole, fraction;
    bool comma = false;
    for (; i < text.size(); ++i) {
        char ch = text[i];
        if (ch >= '0' && ch <= '9') {
            (comma ? fraction : whole) += ch;
        } else if (ch == ',' && !comma) {
            comma = true;
        } else {
            return text;  // a second comma or a minus inside: not one number
        }
    }
    if (whole.empty() && fraction.empty())
        return text;  // "-" or "," alone
    if (!fraction.empty() && fraction[0] >= '5')
        whole = incrementDigits(whole.empty() ? "0" : whole);
    size_t nonZero = whole.find_first_not_of('0');
    if (nonZero == std::string::npos)
        return "0";  // no "-0": a value that rounds to zero is plain zero
    whole = whole.substr(nonZero);
    return (negative ? "-" : "") + groupByPoints(whole);
}

// The number in characters [from, from + count) of a date, as the suite's Val reads it,
// rounded to a whole number as the suite stores it in an integer.
int numberAt(const std::u32string& chars, size_t from, size_t count)
{
    if (from >= chars.size())
        return 0;
    std::string part = fromCodePoints(chars.substr(from, count));
    double v = leadingNumber(part);
    if (v > 32767 || v < -32768)
        return v > 0 ? 32767 : -32768;
    return static_cast<int>(std::nearbyint(v));
}

struct DateParts {
    int day, month, year;
};

DateParts readDate(const std::u32string& chars)
{
    return {numberAt(chars, 0, 2), numberAt(chars, 3, 2), numberAt(chars, 6, 4)};
}

}

std::string FiltraCampo(std::string& testo, std::int16_t modo)
{
    testo = trimSpaces(testo);
    std::u32string out;
    for (char32_t c : toCodePoints(testo)) {
        char32_t u = upperCaseChar(c);
        if (modo == 0) {
            out += (u == U'\'') ? AcuteAccent : u;
        } else if (modo == 1 || modo == 2) {
            if (isDigit(u) || u == U',' || u == U'-')
                out += u;
        }
    }
    if (out.empty())
        return modo == 0 ? " " : "0";
    std::string result = fromCodePoints(out);
    if (modo == 2)
        result = trimSpaces(formatGrouped(result));
    return result;
}

int annoDiOggi()
{
    return SystemClock().now().year;
}

std::string EspandiData(std::string& testo, int annoCorrente)
{
    std::u32string c = toCodePoints(testo);
    if (c.find(U'/') != std::u32string::npos)
        return testo;
    if (c.size() == 6) {
        int yy = numberAt(c, 4, 2);
        std::u32string century = 2000 + yy <= annoCorrente + 20 ? U"20" : U"19";
        testo = fromCodePoints(c.substr(0, 2) + U"/" + c.substr(2, 2) + U"/" + century + c.substr(4, 2));
    } else if (c.size() == 8) {
        testo = fromCodePoints(c.substr(0, 2) + U"/" + c.substr(2, 2) + U"/" + c.substr(4, 4));
    }
    return testo;
}

std::int16_t ControllaData(std::string& data, std::array<std::int16_t, 13>& giorniMese)
{
    std::string trimmed = trimSpaces(data);
    std::u32string c = toCodePoints(trimmed);
    if (c.size() != 10)
        return 0;
    data = trimmed;
    DateParts d = readDate(c);
    if (d.month < 1 || d.month > 12 || d.year < 1900)
        return 0;
    giorniMese[2] = Bisestile(static_cast<std::int16_t>(d.year)) ? 29 : 28;
    return (d.day >= 1 && d.day <= giorniMese[d.month]) ? 1 : 0;
}

std::int16_t ConfrontaDate(std::string& data1, std::string& data2)
{
    std::u32string c1 = toCodePoints(data1).substr(0, 10);
    std::u32string c2 = toCodePoints(data2).substr(0, 10);
    data1 = fromCodePoints(c1);
    data2 = fromCodePoints(c2);
    DateParts a = readDate(c1), b = readDate(c2);
    bool later = a.year > b.year || (a.year == b.year && a.month > b.month) ||
                 (a.year == b.year && a.month == b.month && a.day > b.day);
    return later ? 0 : 1;
}

bool Bisestile(std::int16_t anno)
{
    return anno % 4 == 0;
}

}
