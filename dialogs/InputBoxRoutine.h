#pragma once
#include <string>

namespace ravelt {

// The program's input box as the shell holds it for a run. It keeps RispostaInput, the
// answer of the last button pressed in it, "" at first; it is never cleared beforehand.
class InputBoxRoutine {
public:
    // Asks the operator one value, modally: 'testo' is the prompt (lines separated by a
    // carriage return), 'titolo' the title, 'predefinito' the answer offered, selected.
    // Returns the entry when "Ok" is pressed and "" when "Annulla" is. A box closed
    // without either button (Esc) returns this routine's previous answer, "" before any;
    // callers that must tell a cancel apart treat "" as one.
    std::string RichiediDato(const std::string& testo, const std::string& titolo, const std::string& predefinito);

private:
    std::string RispostaInput_;
};

}
