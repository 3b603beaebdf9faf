#pragma once
#include "platform/Value.h"

struct sqlite3_stmt;

namespace ravelt {

// Binds a field value to a statement parameter the way every write of the storage layer
// stores it: whole amounts as integers, amounts with a fraction as floating values (at
// most four decimals, read back exactly), texts as UTF-8, Null as Null. Internal to the
// storage layer.
void bindValue(sqlite3_stmt* st, int index, const Value& v);

}
