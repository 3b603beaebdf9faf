#pragma once
#include "cashreport/Totali.h"
#include "platform/Clock.h"
#include "platform/Currency.h"

#include <array>
#include <string>
#include <string_view>

namespace ravelt {

// The fixed-width framed lines of the cash-detail report, as code-page-1252 bytes
// without line ends. A table line has a frame byte, then fourteen columns each followed
// by a frame byte: the day (10), ten money columns (10 each), the total (10), the
// presences (4) and the second count "CAM." (4), 143 bytes in all.
//
// A cell whose text is longer than its column is not cut and does not fail: the cell,
// and so its line, grows by what it needs (a year's total of 1.000.000,00 is ordinary
// for a hotel). The readers of the report file take lines of any length.
class CashReportLayout {
public:
    // Frame bytes, in the positions of the OEM box-drawing set.
    static constexpr char Vertical = '\xB3';        // 179
    static constexpr char Horizontal = '\xC4';      // 196
    static constexpr char TopLeft = '\xDA';         // 218
    static constexpr char TopRight = '\xBF';        // 191
    static constexpr char BottomLeft = '\xC0';      // 192
    static constexpr char BottomRight = '\xD9';     // 217
    static constexpr char TopTee = '\xC2';          // 194
    static constexpr char BottomTee = '\xC1';       // 193
    static constexpr char LeftTee = '\xC3';         // 195
    static constexpr char RightTee = '\xB4';        // 180
    static constexpr char Cross = '\xC5';           // 197

    // Today's date dd/mm/yyyy, 38 blanks, "Dettaglio incassi dal " with the two date
    // texts exactly as typed joined by " al ", 37 blanks, and the time hh:mm.
    static std::string titleLine(const DateTime& now, std::string_view startText, std::string_view endText);

    static std::string topRule();
    static std::string separator();
    static std::string bottomRule();

    // The headings: "Data Rif. ", each column's heading cell (blanks for an empty
    // heading), " TOTALE   ", "PRES", "CAM.". Headings are UTF-8 text of the stores,
    // indexed 1 to 10.
    static std::string headingsLine(const std::array<std::string, 11>& intestazioni);

    // A day: the day text, for each column its amount or blanks when the column has no
    // heading, the total of the headed columns, and the two counts.
    static std::string dayLine(std::string_view dataCorrente, const Totali& giorno, const std::array<std::string, 11>& intestazioni);

    // The period totals: blanks under the day, every column's amount (also a column
    // without heading, which has taken nothing), the total and the two counts.
    static std::string totalsLine(const Totali& periodo);

    // The cells, before the frame bytes are put around them.
    static std::string headingCell(std::string_view intestazione);  // first 10 characters, trimmed, left-aligned
    static std::string moneyCell(Currency amount);                  // "#,##0.00", right-aligned in 10
    static std::string dayCountCell(Currency count);                // "#,##0", right-aligned in 4
    static std::string totalCountCell(Currency count);              // "###0", right-aligned in 4

    static constexpr std::size_t MoneyWidth = 10;
    static constexpr std::size_t CountWidth = 4;
};

}
