#include "platform/PgConnection.h"

#include "platform/DbError.h"
#include "platform/DbOverflowError.h"
#include "platform/PgDialect.h"
#include "platform/PlainText.h"
#include "platform/SqlQuote.h"
#include "platform/SqliteConnection.h"
#include "platform/StoreLocation.h"
#include "platform/StoredValue.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <libpq-fe.h>

namespace ravelt {

namespace {

// Type numbers of the server's built-in types (pg_type.oid), fixed by the server.
constexpr Oid BoolOid = 16, ByteaOid = 17, Int8Oid = 20, Int2Oid = 21, Int4Oid = 23, OidOid = 26, Float4Oid = 700,
              Float8Oid = 701, NumericOid = 1700;

const char* const LockedWords = "archivio in uso da un'altra postazione (bloccato)";

std::string firstLine(const std::string& text)
{
    const auto end = text.find('\n');
    return trimBlanks(end == std::string::npos ? text : text.substr(0, end));
}

// The name a server message quotes first: relation "Incassi" does not exist -> Incassi.
std::string quotedName(const std::string& message)
{
    const auto open = message.find('"');
    const auto close = open == std::string::npos ? open : message.find('"', open + 1);
    return close == std::string::npos ? firstLine(message) : message.substr(open + 1, close - open - 1);
}

struct ServerFault {
    DbError::Kind kind;
    std::string words;
};

// The words and the kind of a failure, from the server's SQLSTATE: the one place where
// the server's codes become the storage layer's kinds, as classify() does for SQLite.
ServerFault classify(const std::string& state, const std::string& message)
{
    if (state == "42P01")
        return {DbError::Kind::Other, "tabella inesistente: " + quotedName(message)};
    if (state == "42703")
        return {DbError::Kind::Other, "campo inesistente: " + quotedName(message)};
    if (state == "42883")
        return {DbError::Kind::Other, "funzione sconosciuta: " + firstLine(message)};
    if (state == "3F000")
        return {DbError::Kind::Other, "archivio inesistente sul server: " + quotedName(message)};
    if (state == "55P03" || state == "40P01" || state == "40001" || state == "55006")
        return {DbError::Kind::Locked, LockedWords};
    if (state == "42501")
        return {DbError::Kind::ReadOnly, "permesso negato sul server: " + firstLine(message)};
    if (state == "25P02")
        return {DbError::Kind::Other, "transazione annullata da un errore precedente"};
    if (state == "22003" && message.find("bigint out of range") != std::string::npos)
        return {DbError::Kind::Overflow, "somma fuori dall'intervallo dei numeri interi a 64 bit"};
    if (state.rfind("08", 0) == 0 || state.rfind("57P", 0) == 0 || state.empty())
        return {DbError::Kind::Other, "connessione al server interrotta: " + firstLine(message)};
    return {DbError::Kind::Other, firstLine(message)};
}

// The server's words for a failed result, without libpq's "ERROR:  " before them.
std::string resultMessage(const PGresult* r)
{
    std::string message = PQresultErrorMessage(r);
    for (const char* prefix : {"ERROR:  ", "FATAL:  "})
        if (message.rfind(prefix, 0) == 0)
            message = message.substr(std::char_traits<char>::length(prefix));
    return message;
}

[[noreturn]] void raise(const std::string& label, const std::string& state, const std::string& message, const std::string& sql,
                        const std::string& context)
{
    const ServerFault fault = classify(state, message);
    raiseStoreFailure(fault.kind, fault.words, label, sql, context);
}

// Raises the failure a result reports, and frees it. A failure libpq made itself, with
// no SQLSTATE, on a connection that is still good is a fault of the server's, told in
// its words; on a broken connection it is the connection that is lost.
[[noreturn]] void raiseResult(PGconn* c, PGresult* r, const std::string& label, const std::string& sql, const std::string& context)
{
    const char* field = PQresultErrorField(r, PG_DIAG_SQLSTATE);
    std::string state = field ? field : "";
    std::string message = resultMessage(r);
    PQclear(r);
    if (message.empty() && c)
        message = PQerrorMessage(c);
    if (state.empty() && c && PQstatus(c) == CONNECTION_OK && !message.empty())
        state = "XX000";
    raise(label, state, message, sql, context);
}

// Why a connection could not be made, in the operator's words; libpq's own first line
// follows (it names the host or the socket, never the password).
std::string connectionFailure(const std::string& libpqMessage)
{
    std::string why = "server non raggiungibile";
    if (libpqMessage.find("password") != std::string::npos)
        why = "accesso al server negato (password errata o mancante)";
    else if (libpqMessage.find("database") != std::string::npos && libpqMessage.find("does not exist") != std::string::npos)
        why = "database inesistente sul server";
    else if (libpqMessage.find("role") != std::string::npos && libpqMessage.find("does not exist") != std::string::npos)
        why = "utente inesistente sul server";
    return why + " (" + firstLine(libpqMessage) + ")";
}

// A connection string libpq cannot read is told in the program's words only: libpq's
// own message quotes the words around the fault, which may be part of a password.
PGconn* connect(const std::string& conninfo, const std::string& label)
{
    char* parseError = nullptr;
    PQconninfoOption* parsed = PQconninfoParse(conninfo.c_str(), &parseError);
    PQfreemem(parseError);
    if (!parsed)
        throw DbError(label + "stringa di connessione non valida (parole chiave di libpq, come host=... dbname=..., "
                              "o un indirizzo postgresql://)");
    PQconninfoFree(parsed);
    // Keywords are taken in order and a later one wins: the defaults come first, so the
    // connection string can set them otherwise.
    const char* keys[] = {"connect_timeout", "application_name", "dbname", nullptr};
    const char* values[] = {"10", "ravelt", conninfo.c_str(), nullptr};
    PGconn* c = PQconnectdbParams(keys, values, 1);
    if (!c)
        throw DbError(label + "server non raggiungibile (memoria esaurita)");
    if (PQstatus(c) != CONNECTION_OK) {
        const std::string why = connectionFailure(PQerrorMessage(c));
        PQfinish(c);
        throw DbError(label + why);
    }
    // The server's notices ("schema already exists, skipping") are not the operator's
    // business: they would reach the terminal through libpq's default printer.
    PQsetNoticeProcessor(c, [](void*, const char*) {}, nullptr);
    return c;
}

std::string declaredFromServerType(const std::string& type)
{
    if (type == "smallint")
        return "SMALLINT";
    if (type == "integer")
        return "INTEGER";
    if (type == "numeric(19,4)" || type == "money")
        return "CURRENCY";
    if (type == "double precision" || type == "real")
        return "DOUBLE";
    if (type == "bigint" || type.rfind("numeric", 0) == 0)
        return "";
    const auto open = type.find('(');
    if (open != std::string::npos && (type.rfind("character", 0) == 0))
        return "TEXT" + type.substr(open);
    return "TEXT";
}

std::string serverType(FieldType t, const std::string& citext)
{
    switch (t) {
    case FieldType::Integer: return "smallint";
    case FieldType::Long: return "integer";
    case FieldType::Currency: return "numeric(19,4)";
    case FieldType::Double: return "double precision";
    case FieldType::Text: return citext + " COLLATE \"C\"";
    }
    return "text";
}

// A value as the text the server reads for a parameter: whole numbers and amounts
// exactly, floating numbers with every digit they need to come back the same.
std::optional<std::string> parameterText(const Value& v)
{
    const auto& raw = v.raw();
    if (auto p = std::get_if<std::int64_t>(&raw))
        return std::to_string(*p);
    if (auto p = std::get_if<double>(&raw)) {
        if (std::isnan(*p))
            return std::string("NaN");
        if (std::isinf(*p))
            return std::string(*p > 0 ? "Infinity" : "-Infinity");
        char buf[40];
        auto r = std::to_chars(buf, buf + sizeof buf, *p);
        return std::string(buf, r.ptr);
    }
    if (auto p = std::get_if<Currency>(&raw)) {
        const std::int64_t u = p->units();
        const unsigned long long a = u < 0 ? 0ULL - static_cast<unsigned long long>(u) : static_cast<unsigned long long>(u);
        char buf[40];
        std::snprintf(buf, sizeof buf, "%s%llu.%04llu", u < 0 ? "-" : "", a / 10000, a % 10000);
        return std::string(buf);
    }
    if (auto p = std::get_if<std::string>(&raw))
        return *p;
    if (auto p = std::get_if<Value::Unreadable>(&raw)) {
        switch (p->kind) {
        case Value::Unreadable::Kind::Integer: return std::to_string(p->integer);
        case Value::Unreadable::Kind::Real: return parameterText(Value(p->real));
        default: return p->bytes;
        }
    }
    return std::nullopt;
}

bool wholeNumberText(const std::string& t)
{
    const auto point = t.find('.');
    if (point == std::string::npos)
        return t.find_first_of("eE") == std::string::npos && t.find_first_of("0123456789") != std::string::npos;
    return t.find_first_not_of('0', point + 1) == std::string::npos;
}

std::string hexBytes(const std::string& t)
{
    std::string out;
    if (t.rfind("\\x", 0) != 0)
        return t;
    for (std::size_t i = 2; i + 1 < t.size(); i += 2)
        out += static_cast<char>(std::stoi(t.substr(i, 2), nullptr, 16));
    return out;
}

class PgStatement : public StoreStatement {
public:
    PgStatement(PgConnection& c, std::string name, std::string shown)
        : c_(c), name_(std::move(name)), shown_(std::move(shown))
    {
        PGresult* d = PQdescribePrepared(c_.handle(), name_.c_str());
        if (PQresultStatus(d) != PGRES_COMMAND_OK)
            failWith(d, {});
        params_.resize(PQnparams(d));
        const int n = PQnfields(d);
        for (int i = 0; i < n; ++i) {
            types_.push_back(PQftype(d, i));
            const Oid table = PQftable(d, i);
            const int column = PQftablecol(d, i);
            columns_.push_back({PQfname(d, i), table ? c_.declaredType(table, column) : std::string()});
        }
        PQclear(d);
    }

    ~PgStatement() override
    {
        if (result_)
            PQclear(result_);
        if (c_.handle() && PQstatus(c_.handle()) == CONNECTION_OK && PQtransactionStatus(c_.handle()) != PQTRANS_INERROR)
            PQclear(PQexec(c_.handle(), ("DEALLOCATE " + name_).c_str()));
    }

    void bind(int index, const Value& v) override
    {
        if (index >= 1 && index <= static_cast<int>(params_.size()))
            params_[index - 1] = parameterText(v);
    }

    bool step(const std::string& context) override
    {
        if (!result_) {
            std::vector<const char*> values;
            for (const auto& p : params_)
                values.push_back(p ? p->c_str() : nullptr);
            result_ = PQexecPrepared(c_.handle(), name_.c_str(), static_cast<int>(values.size()), values.data(), nullptr, nullptr, 0);
            const auto status = PQresultStatus(result_);
            if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK) {
                PGresult* failed = result_;
                result_ = nullptr;
                failWith(failed, context);
            }
            row_ = 0;
        } else {
            ++row_;
        }
        return row_ < PQntuples(result_);
    }

    void reset() override
    {
        if (result_)
            PQclear(result_);
        result_ = nullptr;
        row_ = -1;
        for (auto& p : params_)
            p.reset();
    }

    const std::vector<ResultColumn>& columns() const override { return columns_; }

    FieldType fieldType(int column) const override
    {
        const StoredValue v = stored(column, !columns_[column].declared.empty());
        return fieldTypeOf(columns_[column].declared.empty() ? nullptr : columns_[column].declared.c_str(), v.kind);
    }

    Value read(int column, FieldType type, bool declared, const std::string& field) const override
    {
        return readStored(stored(column, declared), type, declared, field);
    }

    Value raw(int column) const override
    {
        return readStored(stored(column, false), fieldType(column), false, columns_[column].name);
    }

private:
    bool hasRow() const { return result_ && row_ >= 0 && row_ < PQntuples(result_); }

    // The current row's value as a stored value, exactly: whole numbers as integers,
    // amounts and other decimals as their text (so a CURRENCY field reads them without a
    // floating step), floating numbers as doubles. A computed whole number beyond 64 bits
    // fails as SQLite's sum does, so no figure is made from it.
    StoredValue stored(int column, bool declared) const
    {
        StoredValue v;
        if (!hasRow() || PQgetisnull(result_, row_, column))
            return v;
        const std::string text(PQgetvalue(result_, row_, column), PQgetlength(result_, row_, column));
        switch (types_[column]) {
        case BoolOid:
            v.kind = StoredKind::Integer;
            v.integer = text == "t" ? 1 : 0;
            return v;
        case Int2Oid:
        case Int4Oid:
        case Int8Oid:
        case OidOid:
            v.kind = StoredKind::Integer;
            v.integer = std::strtoll(text.c_str(), nullptr, 10);
            return v;
        case Float4Oid:
        case Float8Oid:
            v.kind = StoredKind::Real;
            v.real = std::strtod(text.c_str(), nullptr);
            return v;
        case NumericOid: {
            if (wholeNumberText(text)) {
                const std::string whole = text.substr(0, text.find('.'));
                errno = 0;
                char* end = nullptr;
                const long long n = std::strtoll(whole.c_str(), &end, 10);
                if (errno != ERANGE) {
                    v.kind = StoredKind::Integer;
                    v.integer = n;
                    return v;
                }
                if (!declared)
                    throw DbOverflowError(c_.label() + "somma fuori dall'intervallo dei numeri interi a 64 bit [" + shown_ + "]");
            }
            v.kind = StoredKind::Text;
            v.bytes = text;
            return v;
        }
        case ByteaOid:
            v.kind = StoredKind::Blob;
            v.bytes = hexBytes(text);
            return v;
        default:
            v.kind = StoredKind::Text;
            v.bytes = text;
            return v;
        }
    }

    [[noreturn]] void failWith(PGresult* r, const std::string& context) { raiseResult(c_.handle(), r, c_.label(), shown_, context); }

    PgConnection& c_;
    std::string name_;
    std::string shown_;
    std::vector<ResultColumn> columns_;
    std::vector<Oid> types_;
    std::vector<std::optional<std::string>> params_;
    PGresult* result_ = nullptr;
    int row_ = -1;
};

}

PgConnection::PgConnection(const std::string& conninfo, const std::string& mdbName, Mode mode, std::string label)
    : schema_(schemaOf(mdbName)), label_(std::move(label))
{
    conn_ = connect(conninfo, label_);
    try {
        // One round trip: the session's settings, the search path (the store's schema first,
        // then the program's support and the schema of citext, wherever it was put), and
        // whether the store is there. Locks are waited for as long as SQLite waits for a
        // busy file. A year's report hashes a year's documents: the server's default 4 MB
        // for that would spill them to disk.
        const std::string found = runValue(
            "SET lock_timeout = '5s'; SET client_encoding TO 'UTF8'; SET extra_float_digits = 3; SET work_mem = '64MB'; SET jit = off; "
            "SELECT (SELECT count(*) FROM pg_namespace WHERE nspname = " + sqlTextLiteral(schema_) + "), "
            "set_config('search_path', " + sqlTextLiteral(sqlIdentifier(schema_) + ", ravelt") +
            " || coalesce((SELECT ', ' || quote_ident(n.nspname) FROM pg_extension e JOIN pg_namespace n ON n.oid = e.extnamespace "
            "WHERE e.extname = 'citext' AND n.nspname <> 'ravelt'), ''), false)");
        if (mode == Mode::Open) {
            if (found == "0")
                throw DbError(label_ + "archivio non trovato sul server (schema " + schema_ + ")");
            return;
        }
        // Making a store: one transaction, which the caller commits with the store's
        // tables and rows, so a store appears on the server whole or not at all. The
        // program's support goes in first when missing, under a lock of its own so
        // that two workstations making stores at once do not both make it.
        run("BEGIN");
        run("SELECT pg_advisory_xact_lock(hashtext('ravelt support'))");
        if (citextSchema().empty()) {
            run("CREATE SCHEMA IF NOT EXISTS ravelt; CREATE EXTENSION IF NOT EXISTS citext SCHEMA ravelt");
            citext_ = "ravelt";
        }
        const bool supported = runValue("SELECT count(*) FROM pg_proc p JOIN pg_namespace n ON n.oid = p.pronamespace "
                                        "WHERE n.nspname = 'ravelt' AND p.proname = 'support_version'") != "0";
        if (!supported || std::atoi(runValue("SELECT ravelt.support_version()").c_str()) < ServerSupportVersion)
            run(serverSupportStatements(citextSchema()));
        // Asked again under the lock: another workstation may have made it meanwhile.
        if (runValue("SELECT count(*) FROM pg_namespace WHERE nspname = " + sqlTextLiteral(schema_)) != "0") {
            if (mode != Mode::Replace)
                throw DbError(label_ + "archivio già presente sul server (schema " + schema_ + ")");
            // Until the commit the old store stays whole for every other connection, and
            // a rollback keeps it.
            run("DROP SCHEMA " + sqlIdentifier(schema_) + " CASCADE");
        }
        run("CREATE SCHEMA " + sqlIdentifier(schema_));
        made_ = true;
    } catch (...) {
        close();
        throw;
    }
}

PgConnection::~PgConnection()
{
    close();
}

bool PgConnection::storeExists(const std::string& conninfo, const std::string& mdbName)
{
    const std::string label = "Archivio " + mdbName + " (server " + serverLabelOf(conninfo) + "): ";
    PGconn* c = connect(conninfo, label);
    const std::string sql = "SELECT count(*) FROM pg_namespace WHERE nspname = " + sqlTextLiteral(schemaOf(mdbName));
    PGresult* r = PQexec(c, sql.c_str());
    const bool ok = PQresultStatus(r) == PGRES_TUPLES_OK && PQntuples(r) == 1;
    const bool found = ok && std::string(PQgetvalue(r, 0, 0)) != "0";
    const std::string err = ok ? std::string() : resultMessage(r);
    PQclear(r);
    PQfinish(c);
    if (!ok)
        throw DbError(label + firstLine(err));
    return found;
}

void PgConnection::dropStore(const std::string& conninfo, const std::string& mdbName)
{
    const std::string label = "Archivio " + mdbName + " (server " + serverLabelOf(conninfo) + "): ";
    PGconn* c = connect(conninfo, label);
    const std::string sql = "SET lock_timeout = '5s'; DROP SCHEMA IF EXISTS " + sqlIdentifier(schemaOf(mdbName)) + " CASCADE";
    PGresult* r = PQexec(c, sql.c_str());
    if (PQresultStatus(r) != PGRES_COMMAND_OK) {
        try {
            raiseResult(c, r, label, {}, "eliminazione dell'archivio");
        } catch (...) {
            PQfinish(c);
            throw;
        }
    }
    PQclear(r);
    PQfinish(c);
}

void PgConnection::run(const std::string& sql)
{
    if (!conn_)
        throw DbError(label_ + "archivio chiuso [" + sql + "]");
    PGresult* r = PQexec(conn_, sql.c_str());
    const auto status = PQresultStatus(r);
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        raiseResult(conn_, r, label_, sql.size() > 200 ? std::string() : sql, {});
    const std::string tag = PQcmdStatus(r);
    PQclear(r);
    // A COMMIT of a transaction that a failure had spoiled answers ROLLBACK: that is a
    // failure, never a write done.
    if (sql == "COMMIT" && tag == "ROLLBACK")
        throw DbError(label_ + "transazione annullata dal server: nulla è stato scritto");
}

const std::string& PgConnection::citextSchema()
{
    if (citext_.empty())
        citext_ = runValue("SELECT n.nspname FROM pg_extension e JOIN pg_namespace n ON n.oid = e.extnamespace WHERE e.extname = 'citext'");
    return citext_;
}

std::string PgConnection::runValue(const std::string& sql)
{
    PGresult* r = PQexec(conn_, sql.c_str());
    if (PQresultStatus(r) != PGRES_TUPLES_OK)
        raiseResult(conn_, r, label_, sql, {});
    std::string v = PQntuples(r) > 0 && !PQgetisnull(r, 0, 0) ? PQgetvalue(r, 0, 0) : "";
    PQclear(r);
    return v;
}

// Every table and field of the server's stores, with the declared types the program
// reads them with: the names let the translation spell them as the server holds them,
// the types let a result column read as the field it comes from.
void PgConnection::loadCatalog()
{
    names_.clear();
    declared_.clear();
    PGresult* r = PQexec(conn_,
                         "SELECT c.oid::bigint, a.attnum, c.relname, a.attname, format_type(a.atttypid, a.atttypmod), "
                         "coalesce(col_description(c.oid, a.attnum), '') "
                         "FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace JOIN pg_attribute a ON a.attrelid = c.oid "
                         "WHERE c.relkind IN ('r', 'v', 'p', 'm', 'f') AND a.attnum > 0 AND NOT a.attisdropped "
                         "AND n.nspname NOT IN ('pg_catalog', 'information_schema', 'ravelt') AND n.nspname NOT LIKE 'pg\\_%' "
                         "ORDER BY c.oid, a.attnum");
    if (PQresultStatus(r) != PGRES_TUPLES_OK)
        raiseResult(conn_, r, label_, {}, {});
    for (int i = 0; i < PQntuples(r); ++i) {
        const unsigned oid = static_cast<unsigned>(std::strtoul(PQgetvalue(r, i, 0), nullptr, 10));
        const int column = std::atoi(PQgetvalue(r, i, 1));
        const std::string table = PQgetvalue(r, i, 2);
        const std::string field = PQgetvalue(r, i, 3);
        const std::string comment = PQgetvalue(r, i, 5);
        names_.emplace(lowerAscii(table), table);
        names_.emplace(lowerAscii(field), field);
        declared_[{oid, column}] = comment.empty() ? declaredFromServerType(PQgetvalue(r, i, 4)) : comment;
    }
    PQclear(r);
    catalogLoaded_ = true;
}

std::optional<std::string> PgConnection::spelling(const std::string& name)
{
    if (!catalogLoaded_)
        loadCatalog();
    auto it = names_.find(lowerAscii(name));
    if (it == names_.end())
        return std::nullopt;
    return it->second;
}

std::string PgConnection::declaredType(unsigned table, int column)
{
    if (!catalogLoaded_)
        loadCatalog();
    auto it = declared_.find({table, column});
    if (it == declared_.end()) {
        loadCatalog();
        it = declared_.find({table, column});
    }
    return it == declared_.end() ? std::string() : it->second;
}

std::unique_ptr<StoreStatement> PgConnection::prepare(const std::string& dialectSql, const std::string& shown)
{
    if (!conn_)
        throw DbError(label_ + "archivio chiuso [" + dialectSql + "]");
    const std::string sql = translateForServer(dialectSql, [this](const std::string& n) { return spelling(n); });
    const std::string name = "ravelt_" + std::to_string(++statementNumber_);
    const std::string quoted = shown.empty() ? dialectSql : shown;
    PGresult* r = PQprepare(conn_, name.c_str(), sql.c_str(), 0, nullptr);
    if (PQresultStatus(r) != PGRES_COMMAND_OK)
        raiseResult(conn_, r, label_, quoted, {});
    PQclear(r);
    ++prepared_;
    // A statement that changes the stores' tables makes the names and types known so far
    // stale: they are read again before the next statement.
    const std::string first = lowerAscii(trimBlanks(dialectSql).substr(0, 7));
    if (first.rfind("create", 0) == 0 || first.rfind("alter", 0) == 0 || first.rfind("drop", 0) == 0)
        catalogLoaded_ = false;
    return std::make_unique<PgStatement>(*this, name, quoted);
}

std::unique_ptr<StoreStatement> PgConnection::prepareCriteria(const std::string& sqliteSql)
{
    if (!evaluator_)
        evaluator_ = std::make_unique<SqliteConnection>(label_);
    return evaluator_->prepare(sqliteSql);
}

void PgConnection::begin()
{
    run("BEGIN");
    try {
        run("SELECT pg_advisory_xact_lock(hashtext(" + sqlTextLiteral("ravelt store " + schema_) + "))");
    } catch (...) {
        rollback();
        throw;
    }
}

// A store just made and filled has no statistics yet: until the server's own daemon
// gathers them, its planner would guess, and a report could take a minute instead of a
// second. They are gathered at once after the store's first commit.
void PgConnection::commit()
{
    run("COMMIT");
    if (made_) {
        made_ = false;
        const std::string tables = runValue(
            "SELECT string_agg(format('%I.%I', n.nspname, c.relname), ', ') FROM pg_class c "
            "JOIN pg_namespace n ON n.oid = c.relnamespace WHERE c.relkind = 'r' AND n.nspname = " + sqlTextLiteral(schema_));
        if (!tables.empty())
            run("ANALYZE " + tables);
    }
}

void PgConnection::rollback()
{
    if (conn_)
        PQclear(PQexec(conn_, "ROLLBACK"));
}

void PgConnection::close()
{
    evaluator_.reset();
    if (conn_)
        PQfinish(conn_);
    conn_ = nullptr;
}

void PgConnection::createTable(const TableDef& def)
{
    const std::string table = sqlIdentifier(schema_) + "." + sqlIdentifier(def.name);
    std::string sql = "CREATE TABLE " + table + " (";
    std::string comments;
    for (size_t i = 0; i < def.fields.size(); ++i) {
        const FieldDef& f = def.fields[i];
        sql += (i ? ", " : "") + sqlIdentifier(f.name) + " " + serverType(f.type, sqlIdentifier(citextSchema()) + ".citext");
        std::string declared = declaredTypeName(f.type);
        if (f.type == FieldType::Text && f.size > 0)
            declared += "(" + std::to_string(f.size) + ")";
        comments += "; COMMENT ON COLUMN " + table + "." + sqlIdentifier(f.name) + " IS " + sqlTextLiteral(declared);
    }
    run(sql + ")" + comments);
    catalogLoaded_ = false;
}

std::vector<TableDef> PgConnection::tableDefs()
{
    std::vector<TableDef> defs;
    const std::string sql =
        "SELECT c.relname, a.attname, format_type(a.atttypid, a.atttypmod), coalesce(col_description(c.oid, a.attnum), '') "
        "FROM pg_class c JOIN pg_namespace n ON n.oid = c.relnamespace JOIN pg_attribute a ON a.attrelid = c.oid "
        "WHERE c.relkind IN ('r', 'p') AND a.attnum > 0 AND NOT a.attisdropped AND n.nspname = " + sqlTextLiteral(schema_) +
        " ORDER BY c.oid, a.attnum";
    PGresult* r = PQexec(conn_, sql.c_str());
    if (PQresultStatus(r) != PGRES_TUPLES_OK)
        raiseResult(conn_, r, label_, {}, {});
    for (int i = 0; i < PQntuples(r); ++i) {
        const std::string table = PQgetvalue(r, i, 0);
        if (defs.empty() || defs.back().name != table)
            defs.push_back(TableDef{table, {}});
        const std::string comment = PQgetvalue(r, i, 3);
        // A column of no type of ours (bigint, a numeric of another scale) is a number.
        const std::string decl = comment.empty() ? declaredFromServerType(PQgetvalue(r, i, 2)) : comment;
        defs.back().append(fieldDefOf(PQgetvalue(r, i, 1), decl, FieldType::Double));
    }
    PQclear(r);
    return defs;
}

std::vector<std::string> PgConnection::indexNames()
{
    std::vector<std::string> names;
    const std::string sql = "SELECT indexname FROM pg_indexes WHERE schemaname = " + sqlTextLiteral(schema_) + " ORDER BY indexname";
    PGresult* r = PQexec(conn_, sql.c_str());
    if (PQresultStatus(r) != PGRES_TUPLES_OK)
        raiseResult(conn_, r, label_, {}, {});
    for (int i = 0; i < PQntuples(r); ++i)
        names.push_back(PQgetvalue(r, i, 0));
    PQclear(r);
    return names;
}

// On the server the fields' types hold what they declare, but for two things a record
// cannot read: an amount beyond the program's currency (numeric(19,4) reaches further)
// and a floating field that is not finite.
std::string PgConnection::findUnreadable(const std::string& table, const std::string& field, const std::string& where)
{
    auto probe = prepare("SELECT " + sqlIdentifier(field) + " FROM " + sqlIdentifier(table) + " LIMIT 0");
    const std::string decl = probe->columns().at(0).declared;
    probe.reset();
    const FieldType type = fieldTypeOf(decl.c_str(), StoredKind::Null);
    std::string test;
    if (type == FieldType::Currency)
        test = "abs(" + sqlIdentifier(field) + ") > 922337203685477.5807";
    else if (type == FieldType::Double)
        test = sqlIdentifier(field) + " IN ('NaN'::float8, 'Infinity'::float8, '-Infinity'::float8)";
    else
        return {};
    auto st = prepare("SELECT ctid FROM " + sqlIdentifier(table) + " WHERE (" + where + ") AND " + test + " ORDER BY ctid LIMIT 1");
    if (!st->step())
        return {};
    return "SELECT * FROM " + sqlIdentifier(table) + " WHERE ctid = " + sqlTextLiteral(st->raw(0).toText()) + "::tid";
}

}
