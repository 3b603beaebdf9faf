#include "cashreport/CashReportError.h"

namespace ravelt {

CashReportError::CashReportError(const std::string& description)
    : std::runtime_error(std::string(Source) + ": " + description), description_(description)
{
}

}
