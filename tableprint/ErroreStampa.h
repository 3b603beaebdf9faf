#pragma once
#include <stdexcept>
#include <string>

namespace ravelt {

// A failure of the filtered print that the operator is told about: the text of the
// message and the title of its box. The window shows both; the command prints the text.
// Whatever raised it has written nothing: the report file and the saved filter keep
// what they held.
class ErroreStampa : public std::runtime_error {
public:
    ErroreStampa(std::string titolo, const std::string& testo) : std::runtime_error(testo), titolo_(std::move(titolo)) {}
    const std::string& titolo() const { return titolo_; }
    std::string testo() const { return what(); }

private:
    std::string titolo_;
};

}
