#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace ravelt {

// The routines every window uses to clean and check what the operator types. Text is
// UTF-8 and positions count characters, not bytes. Routines that answer yes or no
// return the 16-bit integers 1 and 0, which is what their callers test.

// Filters a typed text. The text is trimmed of blanks in place; the result is built from
// the trimmed text with every character upper-cased and then, by mode:
//   0 (text)    an apostrophe becomes the acute accent ´, so it can never break a quoted
//               SQL value; every other character stays; an empty result is one blank " ".
//   1 (number)  only the digits, the comma and the minus sign stay; empty gives "0".
//   2 (grouped) as mode 1, then read as a number with the decimal comma and written as a
//               whole number, rounded half away from zero, grouped by points
//               ("1234567,5" -> "1.234.568"). A result that is not one signed number
//               ("1,2,3", "5-") is returned as filtered, so nothing typed is lost.
//   any other   every character is dropped; the result is "0".
std::string FiltraCampo(std::string& testo, std::int16_t modo);

// The current year by the workstation's clock.
int annoDiOggi();

// Expands a compact date in place and returns it: six characters ddmmyy become
// dd/mm/20yy when that year is at most twenty years after the current one, else
// dd/mm/19yy. The window moves with the calendar: a fixed pivot of 25 would turn 010126
// into 1926 in 2026. In 2026 the years 00 to
// 46 are this century: 010125 is 01/01/2025, 010126 is 01/01/2026, 241299 is 1999.
// Eight characters ddmmyyyy become
// dd/mm/yyyy; any other length is left alone. A text that already holds a slash is
// not a compact date and is left alone too ("1/1/25" has six characters, and cutting
// it up would give "1//1//2025", which reads as a valid date). Otherwise nothing checks
// for digits here: validation is ControllaData's.
std::string EspandiData(std::string& testo, int annoCorrente = annoDiOggi());

// Checks a dd/mm/yyyy date. The text is trimmed; unless it then has exactly 10
// characters the answer is 0 and the text is untouched, otherwise the trimmed text is
// stored back. Day, month and year are read from characters 1-2, 4-5 and 7-10 (text
// that is not a number reads as 0; the separators are not examined). Month outside 1-12
// or year before 1900 gives 0. February's length in 'giorniMese', the program's month
// table (GiorniMese, indexed 1 to 12), is rewritten for
// the year (29 in a leap year), then the day is checked against the month's length.
std::int16_t ControllaData(std::string& data, std::array<std::int16_t, 13>& giorniMese);

// Puts two dd/mm/yyyy dates in order. Both texts are cut to their first 10 characters in
// place. Returns 1 when the first is not later than the second (equal dates give 1),
// 0 when it is later. Fields are read as ControllaData reads them.
std::int16_t ConfrontaDate(std::string& data1, std::string& data2);

// True when the year is divisible by 4. There is deliberately no century rule: the
// suite counts 1900 and 2100 as leap years, and dates typed here must agree with it.
bool Bisestile(std::int16_t anno);

}
