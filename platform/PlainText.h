#pragma once
#include <string>
#include <string_view>

namespace ravelt {

// The one definition of a blank: a space or a tab. A line end is not a blank: the
// readers of lines take it off first (splitLines), so that trimming never eats into the
// next line's text or hides a line end where none belongs.
constexpr bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// The text without its leading and trailing blanks: how the settings files, the mail
// request and the names typed for printers and fonts are read.
std::string trimBlanks(std::string_view text);

// The text without its leading and trailing spaces, and only spaces: the suite's Trim,
// which the text-box rules and the saved filters follow, so that a tab typed into a
// number still makes it no number.
std::string trimSpaces(std::string_view text);

// Letter case folded in ASCII only, as the engine folds names of stores, tables, fields
// and file extensions and as the settings files' keys are compared: a byte outside ASCII
// (a UTF-8 sequence of an accented letter) is kept as it is, so the result has the
// length of the text. Case rules of the operator's own text (accented capitals) live
// with the character routines, not here.
char lowerAscii(char c);
std::string lowerAscii(std::string text);
std::string upperAscii(std::string text);

}
