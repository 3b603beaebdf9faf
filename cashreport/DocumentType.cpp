#include "cashreport/DocumentType.h"

namespace ravelt {

std::optional<DocumentType> documentTypeFromText(std::string_view text)
{
    if (text == "Tutti")
        return DocumentType::Tutti;
    if (text == "Fatture")
        return DocumentType::Fatture;
    if (text == "Ricevute")
        return DocumentType::Ricevute;
    return std::nullopt;
}

}
