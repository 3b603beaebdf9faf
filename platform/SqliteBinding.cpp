#include "platform/SqliteBinding.h"

#include "platform/StoredValue.h"

#include <sqlite3.h>

namespace ravelt {

namespace {

using Unreadable = Value::Unreadable;

StoredKind kindOf(int storage)
{
    switch (storage) {
    case SQLITE_NULL: return StoredKind::Null;
    case SQLITE_INTEGER: return StoredKind::Integer;
    case SQLITE_FLOAT: return StoredKind::Real;
    case SQLITE_TEXT: return StoredKind::Text;
    default: return StoredKind::Blob;
    }
}

}

void bindValue(sqlite3_stmt* st, int index, const Value& v)
{
    const auto& raw = v.raw();
    if (auto p = std::get_if<std::int64_t>(&raw))
        sqlite3_bind_int64(st, index, *p);
    else if (auto p = std::get_if<double>(&raw))
        sqlite3_bind_double(st, index, *p);
    else if (auto p = std::get_if<Currency>(&raw)) {
        if (p->units() % Currency::Scale == 0)
            sqlite3_bind_int64(st, index, p->units() / Currency::Scale);
        else
            sqlite3_bind_double(st, index, p->toDouble());
    } else if (auto p = std::get_if<std::string>(&raw))
        sqlite3_bind_text(st, index, p->data(), static_cast<int>(p->size()), SQLITE_TRANSIENT);
    else if (auto p = std::get_if<Value::Unreadable>(&raw)) {
        switch (p->kind) {
        case Unreadable::Kind::Text:
            sqlite3_bind_text(st, index, p->bytes.data(), static_cast<int>(p->bytes.size()), SQLITE_TRANSIENT);
            break;
        case Unreadable::Kind::Blob:
            sqlite3_bind_blob(st, index, p->bytes.data(), static_cast<int>(p->bytes.size()), SQLITE_TRANSIENT);
            break;
        case Unreadable::Kind::Integer: sqlite3_bind_int64(st, index, p->integer); break;
        case Unreadable::Kind::Real: sqlite3_bind_double(st, index, p->real); break;
        }
    } else
        sqlite3_bind_null(st, index);
}

FieldType fieldTypeOf(const char* declaredType, int storage)
{
    return fieldTypeOf(declaredType, kindOf(storage));
}

Value readValue(sqlite3_value* stored, FieldType type, bool declared, const std::string& field)
{
    StoredValue v;
    v.kind = kindOf(sqlite3_value_type(stored));
    switch (v.kind) {
    case StoredKind::Integer: v.integer = sqlite3_value_int64(stored); break;
    case StoredKind::Real: v.real = sqlite3_value_double(stored); break;
    case StoredKind::Text:
    case StoredKind::Blob: {
        const void* p = v.kind == StoredKind::Blob ? sqlite3_value_blob(stored) : static_cast<const void*>(sqlite3_value_text(stored));
        const int n = sqlite3_value_bytes(stored);
        if (p)
            v.bytes.assign(static_cast<const char*>(p), static_cast<std::size_t>(n));
        break;
    }
    case StoredKind::Null: break;
    }
    return readStored(v, type, declared, field);
}

}
