#pragma once
#include <optional>
#include <string_view>

namespace ravelt {

// The document type chosen for the report: the three texts of the main window's list.
enum class DocumentType { Tutti, Fatture, Ricevute };

// The type for its text, exact as the list offers it; nullopt for any other text.
std::optional<DocumentType> documentTypeFromText(std::string_view text);

}
