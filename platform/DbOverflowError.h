#pragma once
#include "platform/DbError.h"

namespace ravelt {

// A computation of the engine, a sum above all, whose result left the range of its
// 64-bit whole numbers. Raised instead of a result that does not fit.
class DbOverflowError : public DbError {
public:
    explicit DbOverflowError(const std::string& message) : DbError(message, Kind::Overflow) {}
};

}
