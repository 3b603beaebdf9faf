#include "platform/SqliteBinding.h"

#include <sqlite3.h>

namespace ravelt {

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
    else
        sqlite3_bind_null(st, index);
}

}
