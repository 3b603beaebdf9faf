#pragma once
#include <stdexcept>
#include <string>

namespace ravelt {

// A failure of the storage layer. The message names what failed: the store, the table,
// the field or the statement, in words an operator can act on. The kind says what sort
// of failure it is, so that a caller that goes on after some of them chooses by the
// kind and never by the words.
class DbError : public std::runtime_error {
public:
    enum class Kind {
        Other,       // a missing store, table or field, a statement the engine refused, ...
        NotAStore,   // the file is there but is not a store
        Corrupt,     // the store is damaged
        Locked,      // another connection holds the store or one of its tables
        ReadOnly,    // the store, or its folder, cannot be written
        Overflow,    // a whole-number computation of the engine left 64 bits
    };

    explicit DbError(const std::string& message, Kind kind = Kind::Other) : std::runtime_error(message), kind_(kind) {}
    Kind kind() const { return kind_; }

private:
    Kind kind_;
};

}
