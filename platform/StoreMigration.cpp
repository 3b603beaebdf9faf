#include "platform/StoreMigration.h"

#include "platform/BulkInsert.h"
#include "platform/Database.h"
#include "platform/DbError.h"
#include "platform/PlainText.h"
#include "platform/Recordset.h"
#include "platform/SqlQuote.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreLocation.h"
#include "platform/StoreSchema.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace ravelt {

namespace {

namespace fs = std::filesystem;

// Rows read from the file at a time: enough to keep the reading quick, few enough that
// a table of millions of payments never sits in memory whole.
constexpr long PageRows = 5000;

// A store of the folder: its file and the name the suite gives it.
struct SourceStore {
    fs::path file;
    std::string mdbName;
};

std::string joined(const std::vector<std::string>& names)
{
    std::string s;
    for (const auto& n : names)
        s += (s.empty() ? "" : ", ") + n;
    return s;
}

// Every Name.sqlite of the folder as the store Name.mdb, in the order of the file names.
// Two files whose names differ only in letter case would be one schema on the server:
// refused, as the server could not hold both.
std::vector<SourceStore> storesOf(const fs::path& folder)
{
    std::vector<SourceStore> stores;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path p = it->path();
        std::error_code typeError;
        if (p.extension() == ".sqlite" && fs::is_regular_file(p, typeError))
            stores.push_back({p, p.stem().string() + ".mdb"});
    }
    if (ec)
        throw std::runtime_error("Impossibile leggere la cartella " + folder.string() + ": " + ec.message());
    if (stores.empty())
        throw std::runtime_error("La cartella " + folder.string() + " non contiene archivi da copiare (nessun file .sqlite)");
    std::sort(stores.begin(), stores.end(), [](const SourceStore& a, const SourceStore& b) { return a.file < b.file; });
    std::map<std::string, std::string> schemas;
    for (const auto& s : stores) {
        const auto [it, fresh] = schemas.emplace(schemaOf(s.mdbName), s.file.filename().string());
        if (!fresh)
            throw std::runtime_error("Gli archivi " + it->second + " e " + s.file.filename().string() +
                                     " andrebbero sul server nello stesso schema " + it->first +
                                     ": si rinomini uno dei due; nessun archivio è stato copiato");
    }
    return stores;
}

bool isKnownStore(const std::string& mdbName)
{
    const auto& known = knownStores();
    return std::find(known.begin(), known.end(), mdbName) != known.end();
}

// The name that reads a table's rowid: the first of SQLite's three that no field of the
// table takes for itself; "" when the fields take all three.
std::string rowKeyOf(const TableDef& table)
{
    for (const char* key : {"rowid", "_rowid_", "oid"}) {
        const bool taken = std::any_of(table.fields.begin(), table.fields.end(),
                                       [&](const FieldDef& f) { return lowerAscii(f.name) == key; });
        if (!taken)
            return key;
    }
    return {};
}

// Refuses a value that would not read back the same from the server: one the program
// cannot read (the server would refuse it, or hold it changed) and a text with a NUL
// byte (the server takes no such text).
void requireCopyable(const Value& v, const std::string& where, const std::string& field)
{
    if (v.isUnreadable())
        throw DbError(where + ": " + v.unreadable().description() +
                      " (sul server non si copierebbe tale e quale: lo si corregga prima della copia)");
    if (v.isText() && v.toText().find('\0') != std::string::npos)
        throw DbError(where + ": il campo " + field + " contiene un carattere nullo, che il server non accetta");
}

// Copies every row of one table of the file into the same table of the server's store,
// a page at a time in rowid order. Returns how many. A row the server refuses stops the
// copy with the server's reason and the record's place.
long copyRows(Database& from, Database& to, const TableDef& table)
{
    std::vector<std::string> columns;
    for (const auto& f : table.fields)
        columns.push_back(f.name);
    if (columns.empty())
        return 0;
    BulkInsert insert(to, table.name, columns);
    const std::string key = rowKeyOf(table);
    const int first = key.empty() ? 0 : 1;
    std::vector<Value> row(columns.size());
    long rows = 0;
    std::string after;
    for (;;) {
        const std::string sql = key.empty()
                                    ? "SELECT * FROM " + sqlIdentifier(table.name)
                                    : "SELECT " + key + ", * FROM " + sqlIdentifier(table.name) + after + " ORDER BY " + key +
                                          " LIMIT " + std::to_string(PageRows);
        auto page = from.OpenRecordset(sql);
        for (page->MoveFirst(); !page->EOF_(); page->MoveNext()) {
            ++rows;
            const std::string place = "tabella " + table.name + ", record " + std::to_string(rows);
            for (std::size_t c = 0; c < columns.size(); ++c) {
                row[c] = page->Fields(static_cast<int>(c) + first);
                requireCopyable(row[c], from.label() + place, columns[c]);
            }
            try {
                insert.insert(row);
            } catch (const DbError& e) {
                throw DbError(std::string(e.what()) + " (" + place + ")", e.kind());
            }
            if (!key.empty())
                after = " WHERE " + key + " > " + std::to_string(page->Fields(0).toInt());
        }
        if (key.empty() || page->RecordCount() < PageRows)
            return rows;
    }
}

// Copies one store in one transaction of the server and commits it.
StoreCopy copyStore(const fs::path& folder, const SourceStore& source, const StoreLocation& to, bool replace)
{
    auto from = Database::OpenDatabase(StoreLocation::files(folder), source.mdbName);
    from->BeginTrans();
    auto dest = replace ? Database::ReplaceDatabase(to, source.mdbName) : Database::CreateDatabase(to, source.mdbName);
    if (!dest->inTransaction())
        dest->BeginTrans();
    StoreCopy copy{source.mdbName, 0, 0, replace};
    std::vector<std::string> made;
    if (isKnownStore(source.mdbName)) {
        createStoreTables(*dest);
        for (const auto& t : dest->TableDefs())
            made.push_back(lowerAscii(t.name));
    }
    for (const auto& table : from->TableDefs()) {
        if (std::find(made.begin(), made.end(), lowerAscii(table.name)) == made.end())
            dest->AppendTableDef(table);
        copy.rows += copyRows(*from, *dest, table);
        ++copy.tables;
    }
    dest->CommitTrans();
    from->Rollback();
    return copy;
}

// After a failure: takes away the stores this migration created anew, and says in words
// what the server holds now.
std::string takeBack(const StoreLocation& to, MigrationSummary& summary)
{
    std::vector<StoreCopy> kept;
    std::vector<std::string> replaced, stuck;
    std::string why;
    for (const auto& c : summary.copied) {
        if (c.replaced) {
            kept.push_back(c);
            replaced.push_back(c.store);
            continue;
        }
        try {
            dropStore(to, c.store);
        } catch (const std::exception& e) {
            kept.push_back(c);
            stuck.push_back(c.store);
            why = e.what();
        }
    }
    summary.copied = kept;
    std::string state;
    if (!replaced.empty())
        state += "; " + joined(replaced) + (replaced.size() == 1 ? " era già stato sostituito con la copia e resta così"
                                                                 : " erano già stati sostituiti con la copia e restano così");
    if (!stuck.empty())
        state += "; " + joined(stuck) + (stuck.size() == 1 ? ", già copiato, non si è potuto togliere dal server ("
                                                           : ", già copiati, non si sono potuti togliere dal server (") +
                 why + ")";
    return state.empty() ? "; il server è rimasto com'era" : state + "; gli altri archivi sono rimasti com'erano";
}

}

long MigrationSummary::tables() const
{
    long n = 0;
    for (const auto& c : copied)
        n += c.tables;
    return n;
}

long MigrationSummary::rows() const
{
    long n = 0;
    for (const auto& c : copied)
        n += c.rows;
    return n;
}

void migrateStores(const fs::path& folder, const StoreLocation& to, bool replace, MigrationSummary& summary)
{
    if (!to.onServer())
        throw std::invalid_argument("La copia degli archivi va su un server: manca la stringa di connessione");
    const std::vector<SourceStore> stores = storesOf(folder);
    // Every file must open as a store and show its tables before anything is copied.
    for (const auto& s : stores) {
        auto db = Database::OpenDatabase(StoreLocation::files(folder), s.mdbName);
        db->TableDefs();
    }
    summary.present.clear();
    summary.copied.clear();
    for (const auto& s : stores)
        if (storeExists(to, s.mdbName))
            summary.present.push_back(s.mdbName);
    if (!replace && !summary.present.empty())
        throw DbError("Il server " + to.serverLabel() + " contiene già " + joined(summary.present) +
                      ": nessun archivio è stato copiato");
    for (const auto& s : stores) {
        const bool there = std::find(summary.present.begin(), summary.present.end(), s.mdbName) != summary.present.end();
        try {
            summary.copied.push_back(copyStore(folder, s, to, there));
        } catch (const DbError& e) {
            throw DbError(e.what() + takeBack(to, summary), e.kind());
        } catch (const std::exception& e) {
            throw std::runtime_error(e.what() + takeBack(to, summary));
        }
    }
}

}
