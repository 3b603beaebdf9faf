#pragma once
#include "platform/Value.h"

#include <string>

struct sqlite3_stmt;
struct sqlite3_value;

namespace ravelt {

// Binds a field value to a statement parameter the way every write of the storage layer
// stores it: whole amounts as integers, amounts with a fraction as floating values (at
// most four decimals, read back exactly), texts as UTF-8, Null as Null. An unreadable
// value is bound as it was stored, so that a search compares it as the store does and a
// record written back keeps it. Internal to the storage layer.
void bindValue(sqlite3_stmt* st, int index, const Value& v);

// The field type the program sees for a declared column type; a computed column has no
// declared type and takes the type of its value.
FieldType fieldTypeOf(const char* declaredType, int storage);

// Reads a stored value as a field of the given type: the one rule by which the storage
// layer turns what the engine holds into a Value, for records and for the checks the
// engine runs on whole tables.
//  - Text fields take any value as text (a whole number in decimals).
//  - Numeric fields take the numbers their type can hold, and a text that is a plain
//    decimal number ("12.5", " -3 ", "1e3"). Integers of SMALLINT and INTEGER fields
//    must fit 16 and 32 bits; a computed column (declared false) only 64 bits. A
//    floating value in an integer field is rounded half away from zero; in a CURRENCY
//    field to four decimals. Anything else is unreadable, naming 'field': a text that
//    is not a plain number ("abc", "1.234,56", ""), a blob, a number out of range, a
//    floating value that is not finite.
Value readValue(sqlite3_value* stored, FieldType type, bool declared, const std::string& field);

}
