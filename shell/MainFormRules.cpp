#include "shell/MainFormRules.h"

#include "shell/FieldRoutines.h"
#include "shell/TextChars.h"

#include <charconv>

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

PeriodCheck checkPeriod(const std::string& dal, const std::string& al, std::array<std::int16_t, 13>& giorniMese)
{
    std::string start = dal, end = al;
    if (!ControllaData(start, giorniMese))
        return {false, "Inserire una data iniziale valida nel formato gg/mm/aaaa.", FocusTarget::Text1_0};
    if (!ControllaData(end, giorniMese))
        return {false, "Inserire una data finale valida nel formato gg/mm/aaaa.", FocusTarget::Text1_1};
    if (ConfrontaDate(start, end) == 0)
        return {false, "La data iniziale è successiva alla data finale.", FocusTarget::Text1_0};
    return {};
}

std::optional<std::int16_t> parseInt16(const std::string& text)
{
    std::string t = trimBlanks(text);
    if (t.size() > 1 && t[0] == '+' && t[1] != '-')
        t.erase(0, 1);
    if (t.empty())
        return std::nullopt;
    std::int16_t value = 0;
    auto [ptr, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (ec != std::errc() || ptr != t.data() + t.size())
        return std::nullopt;
    return value;
}

}
