#pragma once
#include "app/CommandSyntax.h"

#include <string>
#include <vector>

namespace ravelt {

// The options of the night audit ("ravelt audit"): the one place that names them, their
// values and their meaning, for the audit itself and for the schedules that run it
// ("ravelt schedule add"), so that a schedule takes exactly what the audit takes.
std::vector<OptionSyntax> auditOptions();

// Checks the values of the audit's options in 'args' as the audit reads them: a period
// namedPeriod knows, a document type of the main window's list, a counter from 0 to
// 32767, a destination that is not blank. Raises ArgumentError, quoting the value short,
// for the first that is wrong. Options absent from 'args' are not looked at.
void checkAuditArguments(const ParsedArguments& args);

// The audit's options given in 'args' as command-line words, in the order of
// auditOptions() ("--period", "yesterday", "--pdf", ...), each value as the audit will
// read it (a counter without the blanks around it). Call checkAuditArguments first.
std::vector<std::string> auditArgumentWords(const ParsedArguments& args);

}
