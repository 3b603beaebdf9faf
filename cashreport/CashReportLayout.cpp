#include "cashreport/CashReportLayout.h"

#include "platform/Cp1252.h"
#include "platform/BoxDrawing.h"

#include <algorithm>
#include <cstdio>

namespace ravelt {

namespace {

// The text right-aligned in the width with blanks in front; a longer text is kept whole.
std::string rightAligned(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// The text left-aligned in the width with blanks after it; a longer text is kept whole.
std::string leftAligned(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string blanks(std::size_t n)
{
    return std::string(n, ' ');
}

std::string moneyText(Currency amount)
{
    return amount.format(2, true);
}

std::string dayCountText(Currency count)
{
    return count.format(0, true);
}

std::string totalCountText(Currency count)
{
    return count.format(0, false);
}

// One of the three rules: the left byte, the day column's bar, then for each further
// column the joint and its bar, and the right byte.
std::string rule(char left, char joint, char right, const CashReportLayout::Widths& widths)
{
    std::string s(1, left);
    s += std::string(widths[0], BoxDrawing::Horizontal);
    for (std::size_t k = 1; k < widths.size(); ++k)
        s += joint + std::string(widths[k], BoxDrawing::Horizontal);
    return s + right;
}

void widen(std::size_t& width, const std::string& text)
{
    width = std::max(width, text.size());
}

}

CashReportLayout::Widths CashReportLayout::standardWidths()
{
    Widths w;
    w.fill(MoneyWidth);
    w[0] = DayWidth;
    w[totali::Presenze] = CountWidth;
    w[totali::PresenzeNC] = CountWidth;
    return w;
}

CashReportLayout::Widths CashReportLayout::widthsFor(const std::vector<Totali>& giorni, const Totali& periodo,
                                                     const std::array<std::string, 11>& intestazioni)
{
    Widths w = standardWidths();
    for (const Totali& giorno : giorni) {
        for (int n = 1; n <= 10; ++n)
            if (!intestazioni[n].empty())
                widen(w[n], moneyText(giorno[n]));
        widen(w[totali::Totale], moneyText(giorno[totali::Totale]));
        widen(w[totali::Presenze], dayCountText(giorno[totali::Presenze]));
        widen(w[totali::PresenzeNC], dayCountText(giorno[totali::PresenzeNC]));
    }
    for (int n = 1; n <= totali::Totale; ++n)
        widen(w[n], moneyText(periodo[n]));
    widen(w[totali::Presenze], totalCountText(periodo[totali::Presenze]));
    widen(w[totali::PresenzeNC], totalCountText(periodo[totali::PresenzeNC]));
    return w;
}

std::string CashReportLayout::titleLine(const DateTime& now, std::string_view startText, std::string_view endText)
{
    char today[16], time[8];
    std::snprintf(today, sizeof today, "%02d/%02d/%04d", now.day, now.month, now.year);
    std::snprintf(time, sizeof time, "%02d:%02d", now.hour, now.minute);
    return std::string(today) + blanks(38) + "Dettaglio incassi dal " + toCp1252(startText) + " al " + toCp1252(endText) +
           blanks(37) + time;
}

std::string CashReportLayout::topRule(const Widths& widths)
{
    return rule(BoxDrawing::TopLeft, BoxDrawing::TopTee, BoxDrawing::TopRight, widths);
}

std::string CashReportLayout::separator(const Widths& widths)
{
    return rule(BoxDrawing::LeftTee, BoxDrawing::Cross, BoxDrawing::RightTee, widths);
}

std::string CashReportLayout::bottomRule(const Widths& widths)
{
    return rule(BoxDrawing::BottomLeft, BoxDrawing::BottomTee, BoxDrawing::BottomRight, widths);
}

std::string CashReportLayout::headingCell(std::string_view intestazione, std::size_t width)
{
    std::string s = toCp1252(intestazione).substr(0, MoneyWidth);
    std::size_t first = s.find_first_not_of(' ');
    if (first == std::string::npos)
        return blanks(width);
    return leftAligned(s.substr(first, s.find_last_not_of(' ') - first + 1), width);
}

std::string CashReportLayout::moneyCell(Currency amount, std::size_t width)
{
    return rightAligned(moneyText(amount), width);
}

std::string CashReportLayout::dayCountCell(Currency count, std::size_t width)
{
    return rightAligned(dayCountText(count), width);
}

std::string CashReportLayout::totalCountCell(Currency count, std::size_t width)
{
    return rightAligned(totalCountText(count), width);
}

std::string CashReportLayout::headingsLine(const std::array<std::string, 11>& intestazioni, const Widths& w)
{
    std::string s(1, BoxDrawing::Vertical);
    s += leftAligned("Data Rif. ", w[0]) + BoxDrawing::Vertical;
    for (int n = 1; n <= 10; ++n)
        s += headingCell(intestazioni[n], w[n]) + BoxDrawing::Vertical;
    s += leftAligned(" TOTALE   ", w[totali::Totale]) + BoxDrawing::Vertical;
    s += leftAligned("PRES", w[totali::Presenze]) + BoxDrawing::Vertical;
    s += leftAligned("CAM.", w[totali::PresenzeNC]) + BoxDrawing::Vertical;
    return s;
}

std::string CashReportLayout::dayLine(std::string_view dataCorrente, const Totali& giorno, const std::array<std::string, 11>& intestazioni,
                                      const Widths& w)
{
    std::string s(1, BoxDrawing::Vertical);
    s += toCp1252(dataCorrente) + BoxDrawing::Vertical;
    for (int n = 1; n <= 10; ++n)
        s += (intestazioni[n].empty() ? blanks(w[n]) : moneyCell(giorno[n], w[n])) + BoxDrawing::Vertical;
    s += moneyCell(giorno[totali::Totale], w[totali::Totale]) + BoxDrawing::Vertical;
    s += dayCountCell(giorno[totali::Presenze], w[totali::Presenze]) + BoxDrawing::Vertical;
    s += dayCountCell(giorno[totali::PresenzeNC], w[totali::PresenzeNC]) + BoxDrawing::Vertical;
    return s;
}

std::string CashReportLayout::totalsLine(const Totali& periodo, const Widths& w)
{
    std::string s(1, BoxDrawing::Vertical);
    s += blanks(w[0]) + BoxDrawing::Vertical;
    for (int n = 1; n <= totali::Totale; ++n)
        s += moneyCell(periodo[n], w[n]) + BoxDrawing::Vertical;
    s += totalCountCell(periodo[totali::Presenze], w[totali::Presenze]) + BoxDrawing::Vertical;
    s += totalCountCell(periodo[totali::PresenzeNC], w[totali::PresenzeNC]) + BoxDrawing::Vertical;
    return s;
}

}
