#pragma once
#include <string>

namespace ravelt {

// The readings of option values shared by the commands. Each throws ArgumentError with
// a message that names the value ('what', "data iniziale") and quotes it short.

// A whole number from lo to hi, read as the window reads the counter (blanks around it
// dropped).
long wholeNumberArgument(const std::string& text, const std::string& what, long lo, long hi);

// A date typed on the command line, cleaned and expanded as the date fields do it
// (ddmmyy and ddmmyyyy are accepted too) and checked as the report needs it. Returns it
// as dd/mm/yyyy.
std::string dateArgument(const std::string& text, const std::string& what);

}
