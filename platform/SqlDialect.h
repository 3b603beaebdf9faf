#pragma once
#include <functional>
#include <string>

struct sqlite3;

namespace ravelt {

// Rewrites a statement or condition of the suite's dialect into one SQLite runs with the
// same meaning:
//  - a table of another store, written  Table In 'File.mdb' , becomes schema.Table,
//    the schema name coming from attach(File.mdb);
//  - Left( and Right( call the registered jet_left and jet_right; the results of
//    Left, Right and Mid compare without regard to letter case, like stored text;
//  - Val(x) becomes CAST(Val(x) AS NUMERIC), so that a number read from text compares
//    as a number with a text field, as the suite's engine compares it.
// Quoted literals are copied untouched.
std::string translateDialect(const std::string& sql, const std::function<std::string(const std::string&)>& attach);

// Registers the dialect's functions on a connection: Left(text, n), Val(text),
// Instr([start,] text, search) (1-based, 0 when absent, without regard to letter case),
// Right, Mid, UCase, LCase, Trim, Len; and the program's own CurrencyUnits(amount), a
// stored amount in whole ten-thousandths read exactly as a record reads a CURRENCY
// field, failing the statement for an amount that cannot be read, so that a query can
// sum amounts as the program does, never in floating point.
void registerDialectFunctions(sqlite3* db);

}
