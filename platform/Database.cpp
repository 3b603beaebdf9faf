#include "platform/Database.h"

#include "platform/DbError.h"
#include "platform/PgConnection.h"
#include "platform/Recordset.h"
#include "platform/SqliteConnection.h"
#include "platform/StoreCatalog.h"
#include "platform/StoreConnection.h"
#include "platform/StoreLocation.h"

namespace ravelt {

namespace {

std::string labelOf(const std::string& mdbName, const std::string& server)
{
    return "Archivio " + mdbName + (server.empty() ? std::string() : " (server " + server + ")") + ": ";
}

}

Database::Database(std::unique_ptr<StoreConnection> connection, std::string name, std::filesystem::path folder, std::string server)
    : connection_(std::move(connection)), name_(std::move(name)), folder_(std::move(folder)), server_(std::move(server))
{
}

Database::~Database()
{
    Close();
}

std::unique_ptr<Database> Database::OpenDatabase(const std::string& mdbName, const std::filesystem::path& folder)
{
    return OpenDatabase(StoreLocation::of(folder), mdbName);
}

std::unique_ptr<Database> Database::OpenDatabase(const StoreLocation& where, const std::string& mdbName)
{
    if (where.onServer())
        return onServer(where, mdbName, Opening::Open);
    if (!storeExists(where, mdbName))
        throw DbError("Archivio " + mdbName + " non trovato (" + storePath(where.folder(), mdbName).string() + ")");
    auto c = std::make_unique<SqliteConnection>(where.folder(), mdbName, false, labelOf(mdbName, {}));
    return std::unique_ptr<Database>(new Database(std::move(c), mdbName, where.folder(), {}));
}

std::unique_ptr<Database> Database::CreateDatabase(const std::string& mdbName, const std::string&, const std::filesystem::path& folder)
{
    auto where = StoreLocation::of(folder);
    auto db = CreateDatabase(where, mdbName);
    if (db->inTransaction())
        db->CommitTrans();
    return db;
}

std::unique_ptr<Database> Database::CreateDatabase(const StoreLocation& where, const std::string& mdbName)
{
    if (where.onServer())
        return onServer(where, mdbName, Opening::Create);
    auto path = storePath(where.folder(), mdbName);
    if (storeExists(where, mdbName))
        throw DbError("Archivio " + mdbName + " esiste già (" + path.string() + ")");
    auto c = std::make_unique<SqliteConnection>(where.folder(), mdbName, true, labelOf(mdbName, {}));
    return std::unique_ptr<Database>(new Database(std::move(c), mdbName, where.folder(), {}));
}

std::unique_ptr<Database> Database::ReplaceDatabase(const StoreLocation& where, const std::string& mdbName)
{
    if (!where.onServer())
        throw DbError(labelOf(mdbName, {}) + "si sostituisce intero un archivio solo su un server");
    return onServer(where, mdbName, Opening::Replace);
}

// A store on the server. Making or replacing one leaves its transaction open for the
// caller to commit.
std::unique_ptr<Database> Database::onServer(const StoreLocation& where, const std::string& mdbName, Opening how)
{
    const std::string server = where.serverLabel();
    const PgConnection::Mode mode = how == Opening::Open     ? PgConnection::Mode::Open
                                    : how == Opening::Create ? PgConnection::Mode::Create
                                                             : PgConnection::Mode::Replace;
    auto c = std::make_unique<PgConnection>(where.conninfo(), mdbName, mode, labelOf(mdbName, server));
    std::unique_ptr<Database> db(new Database(std::move(c), mdbName, where.folder(), server));
    db->inTransaction_ = how != Opening::Open;
    return db;
}

std::string Database::label() const
{
    return labelOf(name_, server_);
}

StoreConnection& Database::connection()
{
    if (!connection_)
        fail("archivio chiuso");
    return *connection_;
}

long Database::statementsPrepared() const
{
    return connection_ ? connection_->statementsPrepared() : 0;
}

void Database::fail(const std::string& what, const std::string& sql) const
{
    std::string msg = label() + what;
    if (!sql.empty())
        msg += " [" + sql + "]";
    throw DbError(msg);
}

void Database::Execute(const std::string& sql)
{
    auto st = connection().prepare(sql);
    while (st->step()) {
    }
}

std::unique_ptr<Recordset> Database::FindUnreadable(const std::string& table, const std::string& field, const std::string& where)
{
    const std::string record = connection().findUnreadable(table, field, where);
    if (record.empty())
        return nullptr;
    return OpenRecordset(record);
}

std::unique_ptr<Recordset> Database::OpenRecordset(const std::string& source, int type)
{
    if (type != 2)
        fail("tipo di recordset non gestito: " + std::to_string(type));
    return std::make_unique<Recordset>(*this, source);
}

void Database::AppendTableDef(const TableDef& def)
{
    connection().createTable(def);
}

std::vector<TableDef> Database::TableDefs()
{
    return connection().tableDefs();
}

std::vector<std::string> Database::IndexNames()
{
    return connection().indexNames();
}

void Database::BeginTrans()
{
    connection().begin();
    inTransaction_ = true;
}

void Database::CommitTrans()
{
    connection().commit();
    inTransaction_ = false;
}

void Database::Rollback()
{
    if (!inTransaction_ || !connection_)
        return;
    inTransaction_ = false;
    connection_->rollback();
}

void Database::Close()
{
    if (!connection_)
        return;
    Rollback();
    connection_->close();
    connection_.reset();
}

}
