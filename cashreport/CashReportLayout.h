#pragma once
#include "cashreport/Totali.h"
#include "platform/Clock.h"
#include "platform/Currency.h"
#include "platform/BoxDrawing.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ravelt {

// The fixed-width framed lines of the cash-detail report, as code-page-1252 bytes
// without line ends. A table line has a frame byte, then fourteen columns each followed
// by a frame byte: the day (10), ten money columns (10 each), the total (10), the
// presences (4) and the second count "CAM." (4), 143 bytes in all.
//
// A cell whose text is longer than its column is not cut and does not fail: its whole
// column widens, on every line of the table (the headings, the three rules, the days
// and the totals), to the widest text the column holds, so that the frame stays whole
// (a year's total of 1.000.000,00 is ordinary for a hotel). The day column and the
// title line never change; when every cell fits, every width is the standard one. The
// readers of the report file take lines of any length.
class CashReportLayout {
public:
    static constexpr std::size_t DayWidth = 10;
    static constexpr std::size_t MoneyWidth = 10;
    static constexpr std::size_t CountWidth = 4;

    // The inner width of each column: 0 the day, 1 to 13 as the positions of Totali.
    using Widths = std::array<std::size_t, 14>;
    static Widths standardWidths();
    // The widths that hold every cell of the day lines and of the totals line: for each
    // column its standard width, or the length of its longest cell when that is longer.
    static Widths widthsFor(const std::vector<Totali>& giorni, const Totali& periodo,
                            const std::array<std::string, 11>& intestazioni);

    // Today's date dd/mm/yyyy, 38 blanks, "Dettaglio incassi dal " with the two date
    // texts exactly as typed joined by " al ", 37 blanks, and the time hh:mm.
    static std::string titleLine(const DateTime& now, std::string_view startText, std::string_view endText);

    static std::string topRule(const Widths& widths = standardWidths());
    static std::string separator(const Widths& widths = standardWidths());
    static std::string bottomRule(const Widths& widths = standardWidths());

    // The headings: "Data Rif. ", each column's heading cell (blanks for an empty
    // heading), " TOTALE   ", "PRES", "CAM.", each left-aligned in its width. Headings
    // are UTF-8 text of the stores, indexed 1 to 10.
    static std::string headingsLine(const std::array<std::string, 11>& intestazioni, const Widths& widths = standardWidths());

    // A day: the day text, for each column its amount or blanks when the column has no
    // heading, the total of the headed columns, and the two counts.
    static std::string dayLine(std::string_view dataCorrente, const Totali& giorno, const std::array<std::string, 11>& intestazioni,
                               const Widths& widths = standardWidths());

    // The period totals: blanks under the day, every column's amount (also a column
    // without heading, which has taken nothing), the total and the two counts.
    static std::string totalsLine(const Totali& periodo, const Widths& widths = standardWidths());

    // The cells, before the frame bytes are put around them; a text longer than the
    // width is kept whole.
    static std::string headingCell(std::string_view intestazione, std::size_t width = MoneyWidth);  // first 10 characters, trimmed, left-aligned
    static std::string moneyCell(Currency amount, std::size_t width = MoneyWidth);       // "#,##0.00", right-aligned
    static std::string dayCountCell(Currency count, std::size_t width = CountWidth);     // "#,##0", right-aligned
    static std::string totalCountCell(Currency count, std::size_t width = CountWidth);   // "###0", right-aligned
};

}
