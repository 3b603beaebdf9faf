#pragma once
#include "platform/Currency.h"
#include "platform/Value.h"

#include <optional>
#include <string>
#include <string_view>

namespace ravelt {

// Numbers as the table report shows and reads them with the workstation's Italian
// regional settings: decimal comma, point between thousands.

// A field's value as text: whole numbers in decimal, floating numbers with up to 15
// significant digits and amounts with their decimals (trailing zeros dropped), both with
// the decimal comma; text as it is; Null as the empty text.
std::string TestoRegionale(const Value& valore);

// The number at the start of a text, by which the report tells numbers from words:
// blanks, tabs and line feeds anywhere are skipped; then an optional sign, digits with
// at most one decimal separator, an optional exponent (E or D); a leading &H or &O reads
// a hexadecimal or octal whole number. Reading stops at the first other character; no
// digits give 0. The decimal separator may be the point or the regional comma, so that
// 0,50 reads as 0.5 (a number, right-aligned and totalled) and not as 0.
double NumeroIniziale(std::string_view testo);

// A whole text read as a regional number: blanks around it, an optional sign, digits
// (points between groups of three allowed), an optional comma followed by decimals,
// rounded to four decimals. nullopt when the text is anything else ("12abc", "").
std::optional<Currency> LeggiNumeroRegionale(std::string_view testo);

// The general number form of an amount: decimal comma, no thousands separator, no
// trailing zeros ("3", "12,5", "-0,25").
std::string FormaGenerale(Currency importo);

// An amount divided by a factor and written with the pattern ###0.00: at least one
// whole digit, two decimals rounded half away from zero, decimal comma, no grouping.
// nullopt when the factor is 0.
std::optional<std::string> DividiEFormatta(Currency importo, Currency fattore);

}
