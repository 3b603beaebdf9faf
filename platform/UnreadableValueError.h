#pragma once
#include "platform/DbError.h"

#include <string>

namespace ravelt {

// A stored value used as a number when its field's type cannot hold it: a text that is
// not a number, a blob, or a number outside the range of the type. It names the field
// and carries the value as the store holds it, so the caller can say which record.
class UnreadableValueError : public DbError {
public:
    UnreadableValueError(std::string field, std::string value, const std::string& description)
        : DbError(description), field_(std::move(field)), value_(std::move(value))
    {
    }
    const std::string& field() const { return field_; }  // "" when the value did not come from a field
    const std::string& value() const { return value_; }  // as a message shows it: "\"abc\"", "70000"

private:
    std::string field_;
    std::string value_;
};

}
