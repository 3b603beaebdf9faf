#include "cashreport/CashReportLayout.h"

#include "platform/Cp1252.h"

#include <cstdio>

namespace ravelt {

namespace {

// The text right-aligned in the width with blanks in front; a longer text is kept whole.
std::string rightAligned(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

std::string blanks(std::size_t n)
{
    return std::string(n, ' ');
}

// One of the three rules: the left byte, the day column's bar, eleven times the joint and
// a money column's bar, the joint and a count column's bar twice, the right byte.
std::string rule(char left, char joint, char right)
{
    std::string s(1, left);
    s += std::string(10, CashReportLayout::Horizontal);
    for (int k = 0; k < 11; ++k)
        s += joint + std::string(10, CashReportLayout::Horizontal);
    for (int k = 0; k < 2; ++k)
        s += joint + std::string(4, CashReportLayout::Horizontal);
    return s + right;
}

}

std::string CashReportLayout::titleLine(const DateTime& now, std::string_view startText, std::string_view endText)
{
    char today[16], time[8];
    std::snprintf(today, sizeof today, "%02d/%02d/%04d", now.day, now.month, now.year);
    std::snprintf(time, sizeof time, "%02d:%02d", now.hour, now.minute);
    return std::string(today) + blanks(38) + "Dettaglio incassi dal " + toCp1252(startText) + " al " + toCp1252(endText) +
           blanks(37) + time;
}

std::string CashReportLayout::topRule()
{
    return rule(TopLeft, TopTee, TopRight);
}

std::string CashReportLayout::separator()
{
    return rule(LeftTee, Cross, RightTee);
}

std::string CashReportLayout::bottomRule()
{
    return rule(BottomLeft, BottomTee, BottomRight);
}

std::string CashReportLayout::headingCell(std::string_view intestazione)
{
    std::string s = toCp1252(intestazione).substr(0, MoneyWidth);
    std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return blanks(MoneyWidth);
    s = s.substr(first, s.find_last_not_of(' ') - first + 1);
    return s + blanks(MoneyWidth - s.size());
}

std::string CashReportLayout::moneyCell(Currency amount)
{
    return rightAligned(amount.format(2, true), MoneyWidth);
}

std::string CashReportLayout::dayCountCell(Currency count)
{
    return rightAligned(count.format(0, true), CountWidth);
}

std::string CashReportLayout::totalCountCell(Currency count)
{
    return rightAligned(count.format(0, false), CountWidth);
}

std::string CashReportLayout::headingsLine(const std::array<std::string, 11>& intestazioni)
{
    std::string s(1, Vertical);
    s += std::string("Data Rif. ") + Vertical;
    for (int n = 1; n <= 10; ++n)
        s += headingCell(intestazioni[n]) + Vertical;
    s += std::string(" TOTALE   ") + Vertical + "PRES" + Vertical + "CAM." + Vertical;
    return s;
}

std::string CashReportLayout::dayLine(std::string_view dataCorrente, const Totali& giorno, const std::array<std::string, 11>& intestazioni)
{
    std::string s(1, Vertical);
    s += toCp1252(dataCorrente) + Vertical;
    for (int n = 1; n <= 10; ++n)
        s += (intestazioni[n].empty() ? blanks(MoneyWidth) : moneyCell(giorno[n])) + Vertical;
    s += moneyCell(giorno[totali::Totale]) + Vertical;
    s += dayCountCell(giorno[totali::Presenze]) + Vertical;
    s += dayCountCell(giorno[totali::PresenzeNC]) + Vertical;
    return s;
}

std::string CashReportLayout::totalsLine(const Totali& periodo)
{
    std::string s(1, Vertical);
    s += blanks(10) + Vertical;
    for (int n = 1; n <= totali::Totale; ++n)
        s += moneyCell(periodo[n]) + Vertical;
    s += totalCountCell(periodo[totali::Presenze]) + Vertical;
    s += totalCountCell(periodo[totali::PresenzeNC]) + Vertical;
    return s;
}

}
