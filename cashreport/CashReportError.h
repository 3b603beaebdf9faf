#pragma once
#include <stdexcept>
#include <string>

namespace ravelt {

// A failed report run. It carries the description of what went wrong, in words for the
// operator, and the run's source text, which the message to the operator names with it.
// When a run fails the previous report file is left as it was.
class CashReportError : public std::runtime_error {
public:
    static constexpr const char* Source = "Dettaglio forme di incasso";

    explicit CashReportError(const std::string& description);

    const std::string& description() const { return description_; }
    std::string source() const { return Source; }

private:
    std::string description_;
};

}
