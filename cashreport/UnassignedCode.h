#pragma once
#include "platform/Currency.h"

#include <optional>
#include <string>
#include <vector>

namespace ravelt {

// A code whose payments of the period fall in no headed column, so that the report shows
// them nowhere, not even in its total: either payments the report's rules would count or
// take off if their code were in a column, or external entries whose note's code is in
// none.
//
// External entries go with the payments of the code a column would gather them under
// (their note's number, the code's digits read as the same number: entries noted "0009"
// with the payments of "09"); those whose number no such payment has are listed apart.
struct UnassignedCode {
    bool external = false;    // external entries alone, by the number read from their note
    std::string code;         // as the store holds it; "" for a payment without a code
    std::string description;  // from the code lists; "" when they have none
    long payments = 0;        // the payments the report would have counted or taken off
    long entries = 0;         // the external entries it would have counted
    Currency amount;          // what the report would have shown for them: added less taken off
};

// How the list compares codes, one home for both its uses (telling codes apart, finding
// their descriptions). A code folded to ASCII capitals, as the stores compare text
// without regard to letter case.
std::string foldedCode(std::string code);
// The number a code's text reads as when it is digits only ("0009" and "9" give "9"), as
// a column compares an external entry's number with its codes; nullopt otherwise.
std::optional<std::string> codeNumber(const std::string& code);
// Whether a form of payment's code 'sigla' is the list entry's code: by number for
// external entries listed apart, without regard to letter case otherwise.
bool isCodeOf(const UnassignedCode& entry, const std::string& sigla);

// The list as the operator reads it, in Italian: a heading line, then one line for each
// code with its description, count and amount in the report's number format; "" for an
// empty list. Each line ends with "\n".
std::string unassignedText(const std::vector<UnassignedCode>& codes);

}
