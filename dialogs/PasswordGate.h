#pragma once
#include <cstdint>
#include <string>

namespace ravelt {

// The decisions of the management password gate, apart from its window.

enum class GateDecision {
    Grant,  // access granted at once, the gate is not seen
    Ask,    // the gate waits for the password
};

// The gate's decision at activation, by the support code's letters (exact case):
//  neither "^" nor "P"            -> Grant, whatever the password;
//  "^" and the stored password equal to the typed one (empty: nothing typed yet, so a
//      missing or empty stored password)  -> Grant;
//  "^" and a stored password      -> Ask;
//  "P" without "^"                -> Ask, even with no stored password (nothing typed can
//      then match, so access will be refused).
GateDecision decideGate(const std::string& codiceAssistenza, const std::string& passwordDirezione,
                        const std::string& passwordDigitata);

// Enter in the password field. 'entry' is replaced by FiltraCampo mode 0 of itself
// (trimmed, upper-cased, apostrophes as ´, empty as one blank). Returns "S" when it
// equals the stored password exactly and its check value equals ValoreControllo, "N"
// otherwise; a stored password whose check value was changed is refused like a wrong one.
std::string checkPassword(std::string& entry, const std::string& passwordDirezione, std::int32_t valoreControllo);

}
