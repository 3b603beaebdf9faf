#pragma once
#include <string>
#include <string_view>

namespace ravelt {

// A text as a literal of a statement or criteria expression: between apostrophes, each
// apostrophe inside doubled, so that O'Brien is 'O''Brien' and no value typed by the
// operator or read from a store can end the literal early.
std::string sqlTextLiteral(std::string_view text);

// A name of a table or field as a quoted identifier: between double quotes, each double
// quote inside doubled, so that any name a store holds reads as that one name.
std::string sqlIdentifier(std::string_view name);

}
