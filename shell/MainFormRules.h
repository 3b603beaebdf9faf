#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace ravelt {

// The decisions of the main window, as plain functions of what its controls hold, so
// that tests and the command line use them without a window.

// Where the focus goes after Enter in a date field.
enum class FocusTarget { Text1_0, Text1_1, Tasto0 };

struct DateEnterResult {
    std::string text;   // the field's new text ("" when the date was rejected)
    FocusTarget focus;  // where the focus goes
};

// Enter in date field 'index' (0 start, 1 end): the field's text is cleaned with
// FiltraCampo mode 0 and expanded with EspandiData, then checked with ControllaData.
// A rejected date empties the field and keeps the focus on it, silently. An accepted
// start moves on to the end field; an accepted end moves on to "Stampa" when the start
// is not later than it, and back to the start otherwise (neither field emptied).
DateEnterResult dateFieldEnter(int index, const std::string& text0, const std::string& text1,
                               std::array<std::int16_t, 13>& giorniMese);

// The longest period a report covers, in years: a longer one is a typing slip (a year
// 2204 for 2024), and its report would run to hundreds of megabytes.
inline constexpr int MaxPeriodYears = 100;

// A date the report run can use, checked with ControllaData (which also rewrites
// February in the month table and trims the text in place) and written as the run reads
// it: two digits, a slash, two digits, a slash, four digits. ControllaData alone also
// lets through "01/ 1/2024" or "01-01-2024", which the run would then refuse.
bool checkDate(std::string& text, std::array<std::int16_t, 13>& giorniMese);

struct PeriodCheck {
    bool ok = true;
    std::string message;              // what to tell the operator when not ok
    FocusTarget focus = FocusTarget::Text1_0;  // the field to correct
};

// Before a report runs, from the window's "Stampa" and from the command line alike: both
// dates must pass checkDate, the start must not be later than the end (the report would
// have no day lines), and the end must come before the same day MaxPeriodYears years
// after the start (01/01/2000 to 31/12/2099 is the longest period from 01/01/2000).
PeriodCheck checkPeriod(const std::string& dal, const std::string& al, std::array<std::int16_t, 13>& giorniMese);

// Reads a whole number from lo to hi. Blanks (spaces) around it are allowed, as in every
// field the operator types, and so is one sign; anything else (empty, letters, blanks
// inside, decimals, out of range) gives nullopt. The one reading of numbers typed at
// the prompt, in the workstation variables and on the command line.
std::optional<long long> parseWholeNumber(const std::string& text, long long lo, long long hi);

// parseWholeNumber in the 16-bit range: the counter typed at the prompt and the
// workstation variables.
std::optional<std::int16_t> parseInt16(const std::string& text);

}
