#pragma once
#include <stdexcept>
#include <string>

namespace ravelt {

// Wrong arguments: an unknown option, a missing value or operand, or a value that cannot
// be read. The command line answers it with the message, the command's usage and exit
// code 2, before anything is opened or written.
class ArgumentError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

}
