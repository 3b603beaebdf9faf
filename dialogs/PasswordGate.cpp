#include "dialogs/PasswordGate.h"

#include "shell/FieldRoutines.h"
#include "shell/PasswordRoutines.h"

#include <stdexcept>

namespace ravelt {

GateDecision decideGate(const std::string& codiceAssistenza, const std::string& passwordDirezione,
                        const std::string& passwordDigitata)
{
    if (!gateUsesPassword(codiceAssistenza))
        return GateDecision::Grant;
    if (codiceAssistenza.find('^') != std::string::npos && passwordDirezione == passwordDigitata)
        return GateDecision::Grant;
    return GateDecision::Ask;
}

std::string checkPassword(std::string& entry, const std::string& passwordDirezione, std::int32_t valoreControllo)
{
    entry = FiltraCampo(entry, 0);
    if (entry != passwordDirezione)
        return "N";
    try {
        return std::stoll(CalcolaControllo(entry)) == valoreControllo ? "S" : "N";
    } catch (const std::overflow_error&) {
        // A password whose check value passes 32 bits matches no stored value, which
        // is a 32-bit number: it is a wrong password, not a failure.
        return "N";
    }
}

}
