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
    } catch (const std::exception&) {
        return "N";  // a check value beyond 32 bits matches nothing stored
    }
}

}
