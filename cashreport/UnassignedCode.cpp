#include "cashreport/UnassignedCode.h"

namespace ravelt {

std::string unassignedText(const std::vector<UnassignedCode>& codes)
{
    if (codes.empty())
        return {};
    std::string s = "Incassi del periodo che non sono in nessuna colonna (né nel totale):\n";
    for (const auto& c : codes) {
        const std::string code = c.code.empty() ? "(senza codice)" : c.code;
        std::string counts;
        if (c.payments)
            counts += std::to_string(c.payments) + (c.payments == 1 ? " pagamento, " : " pagamenti, ");
        if (c.entries)
            counts += std::to_string(c.entries) + (c.entries == 1 ? " voce esterna, " : " voci esterne, ");
        s += "  " + std::string(c.external ? "esterni, codice " : "") + code + (c.description.empty() ? "" : " " + c.description) + ": " +
             counts + c.amount.format() + "\n";
    }
    return s;
}

}
