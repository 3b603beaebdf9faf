#pragma once
#include <stdexcept>
#include <string>

namespace ravelt {

// A failure of the mail sender, in words the operator can act on. The message never
// holds a password.
class ErrorePosta : public std::runtime_error {
public:
    explicit ErrorePosta(const std::string& message) : std::runtime_error(message) {}
};

}
