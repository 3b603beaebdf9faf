#pragma once
#include <stdexcept>
#include <string>

namespace ravelt {

// A failure of the filtered print that the operator is told about: the text of the
// message and the title of its box. The window shows both; the command prints the text.
// Whatever raised it has written nothing: the report file and the saved filter keep
// what they held.
// Its kind says whether something went wrong or the operator has only left out what the
// print needs (no criterion), which a window tells without a warning sign.
class ErroreStampa : public std::runtime_error {
public:
    enum class Tipo { Errore, DatiMancanti };

    ErroreStampa(std::string titolo, const std::string& testo, Tipo tipo = Tipo::Errore)
        : std::runtime_error(testo), titolo_(std::move(titolo)), tipo_(tipo)
    {
    }
    const std::string& titolo() const { return titolo_; }
    std::string testo() const { return what(); }
    Tipo tipo() const { return tipo_; }

private:
    std::string titolo_;
    Tipo tipo_;
};

}
