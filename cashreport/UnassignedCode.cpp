#include "cashreport/UnassignedCode.h"

#include <cctype>

namespace ravelt {

std::string foldedCode(std::string code)
{
    for (char& ch : code)
        ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return code;
}

std::optional<std::string> codeNumber(const std::string& code)
{
    if (code.empty() || code.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    const std::size_t first = code.find_first_not_of('0');
    return first == std::string::npos ? std::string("0") : code.substr(first);
}

bool isCodeOf(const UnassignedCode& entry, const std::string& sigla)
{
    if (entry.external) {
        const auto number = codeNumber(sigla);
        return number && number == codeNumber(entry.code);
    }
    return foldedCode(sigla) == foldedCode(entry.code);
}

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
