#include "platform/PgDialect.h"

#include "platform/PlainText.h"
#include "platform/SqlQuote.h"
#include "platform/SqlTokens.h"
#include "platform/StoreLocation.h"

#include <array>
#include <vector>

namespace ravelt {

namespace {

// Words of the statements' grammar, never taken for a table's or field's name even where
// a store has a field so named.
bool isKeyword(const std::string& word)
{
    static const std::array<const char*, 52> words = {
        "select", "from", "where", "and", "or", "not", "in", "is", "null", "as", "on", "by", "group",
        "order", "having", "union", "all", "distinct", "exists", "cast", "with", "limit", "offset", "asc",
        "desc", "between", "like", "case", "when", "then", "else", "end", "insert", "into", "values", "update",
        "set", "delete", "create", "table", "index", "join", "inner", "left", "right", "outer", "returning",
        "numeric", "integer", "text", "true", "false"};
    const std::string w = lowerAscii(word);
    for (const char* k : words)
        if (w == k)
            return true;
    return false;
}

// The program's server function that stands for a dialect function; "" for any other.
std::string serverFunction(const std::string& name)
{
    static const std::array<std::pair<const char*, const char*>, 9> functions = {{
        {"left", "ravelt.jet_left"},
        {"right", "ravelt.jet_right"},
        {"mid", "ravelt.mid"},
        {"val", "ravelt.val"},
        {"instr", "ravelt.instr"},
        {"ucase", "ravelt.ucase"},
        {"lcase", "ravelt.lcase"},
        {"len", "ravelt.len"},
        {"currencyunits", "ravelt.currencyunits"},
    }};
    const std::string n = lowerAscii(name);
    for (const auto& [dialect, server] : functions)
        if (n == dialect)
            return server;
    return {};
}

}

std::string translateForServer(const std::string& sql,
                               const std::function<std::optional<std::string>(const std::string&)>& spelling)
{
    auto quoted = [&](const std::string& name) {
        auto s = spelling(name);
        return sqlIdentifier(s ? *s : name);
    };
    std::vector<SqlToken> t = tokenizeSql(sql);
    // A closing semicolon, and the blanks around it, would make a second, empty command.
    while (!t.empty() && (t.back().kind == SqlTok::Space || (t.back().kind == SqlTok::Other && t.back().text == ";")))
        t.pop_back();
    std::string out;
    int parameters = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        const SqlToken& tok = t[i];
        size_t last = 0;
        if (std::string file = foreignStoreAt(t, i, last); !file.empty()) {
            const std::string table = tok.kind == SqlTok::Ident ? tok.text : unquotedText(tok.text);
            out += sqlIdentifier(schemaOf(file)) + "." + quoted(table);
            i = last;
            continue;
        }
        if (tok.kind == SqlTok::Ident) {
            const size_t j = nextSolidToken(t, i + 1);
            const bool call = j < t.size() && t[j].text == "(";
            if (call) {
                if (std::string f = serverFunction(tok.text); !f.empty()) {
                    out += f;
                    continue;
                }
            }
            // A name before a parenthesis is a function's, unless the stores know it: a
            // table's before its list of fields (CREATE INDEX ... ON Table (fields)).
            if (!isKeyword(tok.text) && spelling(tok.text)) {
                out += quoted(tok.text);
                continue;
            }
            out += tok.text;
        } else if (tok.kind == SqlTok::String && tok.text[0] == '"') {
            out += quoted(unquotedText(tok.text));
        } else if (tok.kind == SqlTok::Other && tok.text == "[") {
            size_t k = i + 1;
            std::string name;
            while (k < t.size() && t[k].text != "]")
                name += t[k++].text;
            out += quoted(name);
            i = k;
        } else if (tok.kind == SqlTok::Other && tok.text == "?") {
            if (i + 1 < t.size() && t[i + 1].kind == SqlTok::Ident && std::isdigit(static_cast<unsigned char>(t[i + 1].text[0]))) {
                out += "$" + t[i + 1].text;
                ++i;
            } else {
                out += "$" + std::to_string(++parameters);
            }
        } else {
            out += tok.text;
        }
    }
    return out;
}

// Every function is a single expression without STRICT (a Null argument gives Null by
// the expression itself), which is what lets the planner put its body into the statement
// instead of calling it for each row.
// The functions keep the meaning the dialect's functions have on SQLite (SqlDialect.cpp):
// Left, Right and Mid count characters and give case-blind text; Val reads the leading
// number as the suite's Val does, blanks inside it skipped, exactly (numeric, never
// floating); Instr is case-blind and 1-based; CurrencyUnits is a stored amount in whole
// ten-thousandths; UCase, LCase and Instr fold letters by Unicode's rules, as the
// program's own functions do on SQLite. A number read from text compares with a stored text as SQLite compares
// a number with a text field: the text is taken as a number when it reads whole as one,
// and is never equal to a number otherwise, and a Null on either side gives Null; the
// operators between numeric and the case-blind text say so.
std::string serverSupportStatements(const std::string& citextSchema)
{
    const std::string ci = sqlIdentifier(citextSchema) + ".citext";
    std::string s;
    s += "CREATE SCHEMA IF NOT EXISTS ravelt;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.jet_left(s text, n bigint) RETURNS " + ci +
         " LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN s IS NULL OR n IS NULL THEN NULL WHEN n <= 0 THEN '' ELSE left(s, least(n, 2147483647)::int) END::" + ci + " $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.jet_right(s text, n bigint) RETURNS " + ci +
         " LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN s IS NULL OR n IS NULL THEN NULL WHEN n <= 0 THEN '' ELSE right(s, least(n, 2147483647)::int) END::" + ci + " $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.mid(s text, p bigint) RETURNS " + ci +
         " LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN s IS NULL OR p IS NULL THEN NULL ELSE substr(s, greatest(p, 1)::int) END::" + ci + " $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.mid(s text, p bigint, n bigint) RETURNS " + ci +
         " LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN s IS NULL OR p IS NULL OR n IS NULL THEN NULL WHEN n < 0 THEN substr(s, greatest(p, 1)::int) "
         "ELSE substr(s, greatest(p, 1)::int, least(n, 2147483647)::int) END::" + ci + " $$;\n";
    // Val is one expression, so that the planner puts it in the statement instead of
    // calling a function for each row: the longest prefix Val reads (blanks, a sign,
    // digits and blanks, one point, digits and blanks), a number when it holds a digit,
    // 0 otherwise, Null for Null.
    const std::string prefix = "substring(s from '^[ \\t]*[+-]?[0-9 \\t]*(?:[.][0-9 \\t]*)?')";
    s += "CREATE OR REPLACE FUNCTION ravelt.val(s text) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN s IS NULL THEN NULL "
         "WHEN " + prefix + " ~ '[0-9]' THEN translate(" + prefix + ", E' \\t', '')::numeric ELSE 0 END $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.val(x numeric) RETURNS numeric LANGUAGE sql IMMUTABLE AS $$ SELECT x $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.instr(s text, t text) RETURNS bigint LANGUAGE sql IMMUTABLE AS "
         "$$ SELECT strpos(lower(s COLLATE \"und-x-icu\"), lower(t COLLATE \"und-x-icu\"))::bigint $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.instr(p bigint, s text, t text) RETURNS bigint LANGUAGE sql IMMUTABLE AS "
         "$$ SELECT CASE WHEN greatest(p, 1) > length(s) + 1 THEN 0 "
         "WHEN strpos(lower(substr(s, greatest(p, 1)::int) COLLATE \"und-x-icu\"), lower(t COLLATE \"und-x-icu\")) = 0 THEN 0 "
         "ELSE strpos(lower(substr(s, greatest(p, 1)::int) COLLATE \"und-x-icu\"), lower(t COLLATE \"und-x-icu\")) + greatest(p, 1) - 1 "
         "END::bigint $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.ucase(s text) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT upper(s COLLATE \"und-x-icu\") $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.lcase(s text) RETURNS text LANGUAGE sql IMMUTABLE AS $$ SELECT lower(s COLLATE \"und-x-icu\") $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.len(s text) RETURNS bigint LANGUAGE sql IMMUTABLE AS $$ SELECT char_length(s)::bigint $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.currencyunits(x numeric) RETURNS bigint LANGUAGE sql IMMUTABLE AS "
         "$$ SELECT (x * 10000)::bigint $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.number_of(t text) RETURNS numeric LANGUAGE sql IMMUTABLE AS "
         "$$ SELECT CASE WHEN t ~ '^ *[+-]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][+-]?[0-9]+)? *$' THEN t::numeric END $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.number_eq_text(a numeric, b " + ci +
         ") RETURNS boolean LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN a IS NULL OR b IS NULL THEN NULL "
         "ELSE coalesce(a = ravelt.number_of(b::text), false) END $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.text_eq_number(a " + ci +
         ", b numeric) RETURNS boolean LANGUAGE sql IMMUTABLE AS $$ SELECT CASE WHEN a IS NULL OR b IS NULL THEN NULL "
         "ELSE coalesce(ravelt.number_of(a::text) = b, false) END $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.number_ne_text(a numeric, b " + ci +
         ") RETURNS boolean LANGUAGE sql IMMUTABLE AS $$ SELECT NOT ravelt.number_eq_text(a, b) $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.text_ne_number(a " + ci +
         ", b numeric) RETURNS boolean LANGUAGE sql IMMUTABLE AS $$ SELECT NOT ravelt.text_eq_number(a, b) $$;\n";
    s += "DO $$ BEGIN\n"
         "  IF NOT EXISTS (SELECT 1 FROM pg_operator o JOIN pg_namespace n ON n.oid = o.oprnamespace\n"
         "                 WHERE n.nspname = 'ravelt' AND o.oprname = '=' AND o.oprleft = 'numeric'::regtype) THEN\n"
         "    CREATE OPERATOR ravelt.= (LEFTARG = numeric, RIGHTARG = " + ci + ", FUNCTION = ravelt.number_eq_text);\n"
         "    CREATE OPERATOR ravelt.= (LEFTARG = " + ci + ", RIGHTARG = numeric, FUNCTION = ravelt.text_eq_number);\n"
         "    CREATE OPERATOR ravelt.<> (LEFTARG = numeric, RIGHTARG = " + ci + ", FUNCTION = ravelt.number_ne_text);\n"
         "    CREATE OPERATOR ravelt.<> (LEFTARG = " + ci + ", RIGHTARG = numeric, FUNCTION = ravelt.text_ne_number);\n"
         "  END IF;\n"
         "END $$;\n";
    s += "CREATE OR REPLACE FUNCTION ravelt.support_version() RETURNS integer LANGUAGE sql IMMUTABLE AS $$ SELECT " +
         std::to_string(ServerSupportVersion) + " $$;\n";
    return s;
}

}
