#pragma once
#include <functional>
#include <optional>
#include <string>

namespace ravelt {

// Rewrites a statement or condition of the suite's dialect into one the PostgreSQL
// server runs with the same meaning as SQLite runs translateDialect's:
//  - a table of another store, written  Table In 'File.mdb' , becomes "schema"."Table"
//    (the store's schema, schemaOf);
//  - the names of tables and fields are quoted in the spelling the server holds them,
//    found by 'spelling' without regard to letter case (a name it does not know, such
//    as an alias, is left as written, and the server folds it to lower case wherever it
//    stands, so its uses still meet); a name in "quotes" or [brackets] is spelled the
//    same way;
//  - Left, Right, Mid, Val, Instr, UCase, LCase, Len and CurrencyUnits call the
//    program's functions of the schema ravelt (see serverSupportStatements); Left,
//    Right and Mid give case-blind text, as stored text is;
//  - parameters ?N and ? become $N;
//  - a closing semicolon goes.
// Quoted literals are copied untouched.
std::string translateForServer(const std::string& sql,
                               const std::function<std::optional<std::string>(const std::string&)>& spelling);

// The version of the program's support on a server: the schema ravelt with its
// functions and operators. A server whose ravelt.support_version() gives less gets
// the statements again.
inline constexpr int ServerSupportVersion = 2;

// The statements that put the program's support on a server, in order; 'citext' is the
// schema of the citext extension (created in ravelt when the server has none).
std::string serverSupportStatements(const std::string& citextSchema);

}
