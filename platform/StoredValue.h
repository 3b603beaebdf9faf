#pragma once
#include "platform/Database.h"
#include "platform/Value.h"

#include <cstdint>
#include <string>

namespace ravelt {

// A value as an engine holds it, before the program reads it as a field: the storage
// classes both engines' values come down to. Internal to the storage layer.
enum class StoredKind { Null, Integer, Real, Text, Blob };

struct StoredValue {
    StoredKind kind = StoredKind::Null;
    std::int64_t integer = 0;
    double real = 0;
    std::string bytes;  // Text (UTF-8) and Blob
};

// The field type the program sees for a declared column type; a computed column has no
// declared type (null) and takes the type of its value.
FieldType fieldTypeOf(const char* declaredType, StoredKind storage);

// The declared type that makes a field of the type: the inverse of fieldTypeOf, for the
// tables the storage layer creates ("SMALLINT", "INTEGER", "CURRENCY", "DOUBLE", "TEXT").
const char* declaredTypeName(FieldType type);

// The size a declared text type gives ("TEXT(20)" is 20); 0 when it gives none.
int declaredTextSize(const std::string& declared);

// The field a table's column makes for the program, from its declared type: its type
// (or 'undeclared' when the column declares none) and, for text, its size.
FieldDef fieldDefOf(const std::string& name, const std::string& declared, FieldType undeclared);

// Reads a stored value as a field of the given type: the one rule by which the storage
// layer turns what an engine holds into a Value, for records and for the checks run on
// whole tables. The rule is told at readValue (SqliteBinding.h).
Value readStored(const StoredValue& stored, FieldType type, bool declared, const std::string& field);

}
