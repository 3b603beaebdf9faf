#pragma once
#include <stdexcept>
#include <string>

namespace ravelt {

// A failure of the storage layer. The message names what failed: the store, the table,
// the field or the statement, in words an operator can act on.
class DbError : public std::runtime_error {
public:
    explicit DbError(const std::string& message) : std::runtime_error(message) {}
};

}
