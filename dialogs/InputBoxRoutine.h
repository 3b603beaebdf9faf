#pragma once
#include <string>

namespace ravelt {

// Asks the operator one value in the program's input box, modally: 'testo' is the
// prompt (lines separated by a carriage return), 'titolo' the title, 'predefinito' the
// answer offered, selected. Returns the entry when "Ok" is pressed and "" when
// "Annulla" is. The answer is kept between calls and never cleared beforehand, so a
// box closed without either button (Esc) returns the previous call's answer, "" before
// any; callers that must tell a cancel apart treat "" as one.
std::string RichiediDato(const std::string& testo, const std::string& titolo, const std::string& predefinito);

}
