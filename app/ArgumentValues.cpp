#include "app/ArgumentValues.h"

#include "app/ArgumentError.h"
#include "app/ShownArgument.h"
#include "shell/FieldRoutines.h"
#include "shell/MainFormRules.h"
#include "platform/Calendar.h"

namespace ravelt {

long wholeNumberArgument(const std::string& text, const std::string& what, long lo, long hi)
{
    const auto v = parseWholeNumber(text, lo, hi);
    if (!v)
        throw ArgumentError(what + " non valido: " + shownArgument(text) + " (un numero intero da " + std::to_string(lo) +
                            " a " + std::to_string(hi) + ")");
    return static_cast<long>(*v);
}

std::string dateArgument(const std::string& text, const std::string& what)
{
    std::string cleaned = text;
    cleaned = FiltraCampo(cleaned, 0);
    EspandiData(cleaned);
    std::array<std::int16_t, 13> giorni = CommonYearMonthLengths;
    if (!checkDate(cleaned, giorni))
        throw ArgumentError(what + " non valida: " + shownArgument(text) + " (formato GG/MM/AAAA)");
    return cleaned;
}

}
