#pragma once
#include "cashreport/CalendarDate.h"

#include <optional>
#include <string>
#include <utility>

namespace ravelt {

// A period the operator names instead of giving its two days, counted from 'today' (the
// workstation's clock): yesterday, today, this-month (the first of the month to today),
// last-month, this-year (1 January to today), last-year. The first and the last day;
// nullopt for a name that is none of these.
std::optional<std::pair<CalendarDate, CalendarDate>> namedPeriod(const std::string& name, CalendarDate today);

// The names namedPeriod knows, separated by '|', for usage lines and messages.
const char* namedPeriodNames();

}
