#include "shell/MainFormRules.h"

#include "shell/FieldRoutines.h"
#include "shell/TextChars.h"

#include <charconv>
#include "platform/PlainText.h"

namespace ravelt {

DateEnterResult dateFieldEnter(int index, const std::string& text0, const std::string& text1,
                               std::array<std::int16_t, 13>& giorniMese)
{
    std::string typed = index == 0 ? text0 : text1;
    std::string filtered = FiltraCampo(typed, 0);
    std::string expanded = EspandiData(filtered);
    std::string checked = expanded;
    const FocusTarget self = index == 0 ? FocusTarget::Text1_0 : FocusTarget::Text1_1;
    if (!ControllaData(checked, giorniMese))
        return {"", self};
    if (index == 0)
        return {expanded, FocusTarget::Text1_1};
    std::string start = text0, end = expanded;
    return {expanded, ConfrontaDate(start, end) == 1 ? FocusTarget::Tasto0 : FocusTarget::Text1_0};
}

namespace {

// The digits of text[from, from + count) as a number; the caller has checked them.
int digitsAt(const std::string& text, size_t from, size_t count)
{
    int v = 0;
    for (size_t k = from; k < from + count; ++k)
        v = v * 10 + (text[k] - '0');
    return v;
}

}

bool checkDate(std::string& text, std::array<std::int16_t, 13>& giorniMese)
{
    if (!ControllaData(text, giorniMese))
        return false;
    if (text.size() != 10 || text[2] != '/' || text[5] != '/')
        return false;
    for (size_t k : {0, 1, 3, 4, 6, 7, 8, 9})
        if (text[k] < '0' || text[k] > '9')
            return false;
    return true;
}

PeriodCheck checkPeriod(const std::string& dal, const std::string& al, std::array<std::int16_t, 13>& giorniMese)
{
    std::string start = dal, end = al;
    if (!checkDate(start, giorniMese))
        return {false, "Inserire una data iniziale valida nel formato gg/mm/aaaa.", FocusTarget::Text1_0};
    if (!checkDate(end, giorniMese))
        return {false, "Inserire una data finale valida nel formato gg/mm/aaaa.", FocusTarget::Text1_1};
    if (ConfrontaDate(start, end) == 0)
        return {false, "La data iniziale è successiva alla data finale.", FocusTarget::Text1_0};
    // Compared as yyyymmdd numbers: the end must be below the start's day MaxPeriodYears on.
    const auto key = [](const std::string& d) {
        return digitsAt(d, 6, 4) * 10000L + digitsAt(d, 3, 2) * 100L + digitsAt(d, 0, 2);
    };
    const long limit = key(start) + MaxPeriodYears * 10000L;
    if (key(end) >= limit) {
        const std::string last = start.substr(0, 6) + std::to_string(digitsAt(start, 6, 4) + MaxPeriodYears);
        return {false,
                "Il periodo non può superare i " + std::to_string(MaxPeriodYears) +
                    " anni: la data finale deve essere anteriore al " + last + ".",
                FocusTarget::Text1_1};
    }
    return {};
}

std::optional<long long> parseWholeNumber(const std::string& text, long long lo, long long hi)
{
    std::string t = trimSpaces(text);
    if (t.size() > 1 && t[0] == '+' && t[1] != '-')
        t.erase(0, 1);
    if (t.empty())
        return std::nullopt;
    long long value = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || ptr != t.data() + t.size() || value < lo || value > hi)
        return std::nullopt;
    return value;
}

std::optional<std::int16_t> parseInt16(const std::string& text)
{
    auto v = parseWholeNumber(text, -32768, 32767);
    if (!v)
        return std::nullopt;
    return static_cast<std::int16_t>(*v);
}

}
