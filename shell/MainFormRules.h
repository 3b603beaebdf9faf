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

struct PeriodCheck {
    bool ok = true;
    std::string message;              // what to tell the operator when not ok
    FocusTarget focus = FocusTarget::Text1_0;  // the field to correct
};

// Before "Stampa" runs anything: both fields must hold a valid dd/mm/yyyy date and the
// start must not be later than the end; the report would otherwise have no day lines.
PeriodCheck checkPeriod(const std::string& dal, const std::string& al, std::array<std::int16_t, 13>& giorniMese);

// Reads a whole number in the 16-bit range, blanks around it allowed, optional sign:
// the counter typed at the prompt and the workstation variables. Anything else
// (empty, letters, decimals, out of range) gives nullopt.
std::optional<std::int16_t> parseInt16(const std::string& text);

}
