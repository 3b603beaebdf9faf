#pragma once
#include "platform/Value.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ravelt {

// The fields of the table a print definition names, in field order, with their types:
// the print screen lists them in its field and order lists, and the condition quotes a
// value by its field's type.
class CampiTabella {
public:
    struct Campo {
        std::string nome;
        FieldType tipo;
    };

    CampiTabella() = default;
    explicit CampiTabella(std::vector<Campo> campi) : campi_(std::move(campi)) {}

    // Reads the fields of 'tabella' in the store 'archivio' of the folder, without reading
    // its records. Raises ErroreStampa naming the store or the table when either is missing.
    static CampiTabella Leggi(const std::filesystem::path& cartella, const std::string& archivio, const std::string& tabella);

    const std::vector<Campo>& elenco() const { return campi_; }
    std::vector<std::string> nomi() const;
    // The type of a field, found without regard to letter case; nullopt when missing.
    std::optional<FieldType> tipo(const std::string& nome) const;

private:
    std::vector<Campo> campi_;
};

}
