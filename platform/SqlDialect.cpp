#include "platform/SqlDialect.h"

#include "platform/SqliteBinding.h"
#include "platform/SqlTokens.h"
#include "platform/Value.h"
#include "platform/PlainText.h"

#include <QString>
#include <cctype>
#include <cmath>
#include <sqlite3.h>
#include <vector>

namespace ravelt {

namespace {

QString argText(sqlite3_value* v)
{
    const unsigned char* t = sqlite3_value_text(v);
    return QString::fromUtf8(reinterpret_cast<const char*>(t ? t : reinterpret_cast<const unsigned char*>("")));
}

void resultText(sqlite3_context* ctx, const QString& s)
{
    QByteArray b = s.toUtf8();
    sqlite3_result_text(ctx, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
}

void fnLeft(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    qint64 n = sqlite3_value_int64(argv[1]);
    resultText(ctx, argText(argv[0]).left(n < 0 ? 0 : n));
}

void fnRight(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    qint64 n = sqlite3_value_int64(argv[1]);
    resultText(ctx, argText(argv[0]).right(n < 0 ? 0 : n));
}

void fnMid(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    qint64 start = sqlite3_value_int64(argv[1]);
    qint64 len = argc > 2 ? sqlite3_value_int64(argv[2]) : -1;
    resultText(ctx, argText(argv[0]).mid(start > 0 ? start - 1 : 0, len));
}

void fnVal(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const unsigned char* t = sqlite3_value_text(argv[0]);
    double d = leadingNumber(reinterpret_cast<const char*>(t ? t : reinterpret_cast<const unsigned char*>("")));
    // A whole number within the range where doubles are exact is given as an integer, so
    // that it compares with a code stored as integer; the range is checked before the
    // conversion, which is undefined for a double beyond 64 bits.
    if (d > -9e15 && d < 9e15 && d == std::trunc(d))
        sqlite3_result_int64(ctx, static_cast<sqlite3_int64>(d));
    else
        sqlite3_result_double(ctx, d);
}

// ravelt_unreadable(x, type): 1 when x is a value a field of the type (its code) cannot
// hold, as a record would read it, else 0. For the storage layer's checks on whole tables.
void fnUnreadable(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    const auto type = static_cast<FieldType>(sqlite3_value_int(argv[1]));
    sqlite3_result_int(ctx, readValue(argv[0], type, true, {}).isUnreadable() ? 1 : 0);
}

// CurrencyUnits(x): a stored amount as whole ten-thousandths, read as a CURRENCY field
// is read; Null stays Null; an amount that cannot be read makes the statement fail.
void fnCurrencyUnits(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    // A whole or floating amount, nearly every stored one, is read by the same rules as
    // readValue's without building a value, since a period's pass reads each payment's;
    // anything else, or an amount out of range, goes the whole way for its message.
    const int kind = sqlite3_value_type(argv[0]);
    if (kind == SQLITE_INTEGER) {
        if (auto c = Currency::tryFromWhole(sqlite3_value_int64(argv[0]))) {
            sqlite3_result_int64(ctx, c->units());
            return;
        }
    } else if (kind == SQLITE_FLOAT) {
        const double d = sqlite3_value_double(argv[0]);
        if (std::isfinite(d)) {
            if (auto c = Currency::tryFromDouble(d)) {
                sqlite3_result_int64(ctx, c->units());
                return;
            }
        }
    }
    const Value v = readValue(argv[0], FieldType::Currency, true, {});
    if (v.isNull()) {
        sqlite3_result_null(ctx);
    } else if (v.isUnreadable()) {
        const std::string message = v.unreadable().description();
        sqlite3_result_error(ctx, message.c_str(), static_cast<int>(message.size()));
    } else {
        sqlite3_result_int64(ctx, v.toCurrency().units());
    }
}

void fnInstr(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    int base = argc == 3 ? 1 : 0;
    for (int k = base; k < argc; ++k)
        if (sqlite3_value_type(argv[k]) == SQLITE_NULL) {
            sqlite3_result_null(ctx);
            return;
        }
    qint64 start = argc == 3 ? sqlite3_value_int64(argv[0]) : 1;
    if (start < 1)
        start = 1;
    QString hay = argText(argv[base]);
    QString needle = argText(argv[base + 1]);
    qsizetype at = hay.indexOf(needle, start - 1, Qt::CaseInsensitive);
    sqlite3_result_int64(ctx, at < 0 ? 0 : at + 1);
}

void fnUCase(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        sqlite3_result_null(ctx);
    else
        resultText(ctx, argText(argv[0]).toUpper());
}

void fnLCase(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        sqlite3_result_null(ctx);
    else
        resultText(ctx, argText(argv[0]).toLower());
}

void fnLen(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        sqlite3_result_null(ctx);
    else
        sqlite3_result_int64(ctx, argText(argv[0]).size());
}

}

std::string translateDialect(const std::string& sql, const std::function<std::string(const std::string&)>& attach)
{
    std::vector<SqlToken> t = tokenizeSql(sql);
    std::string out;
    int depth = 0;
    std::vector<int> valClose;   // paren depths at which a Val( call closes
    std::vector<int> textClose;  // paren depths at which a text function's call closes
    for (size_t i = 0; i < t.size(); ++i) {
        const SqlToken& tok = t[i];
        size_t last = 0;
        if (std::string file = foreignStoreAt(t, i, last); !file.empty()) {
            out += attach(file) + "." + (tok.kind == SqlTok::Ident ? "\"" + tok.text + "\"" : tok.text);
            i = last;
            continue;
        }
        if (tok.kind == SqlTok::Ident) {
            size_t j = nextSolidToken(t, i + 1);
            if (sameWord(tok.text, "Val") && j < t.size() && t[j].text == "(") {
                out += "CAST(" + tok.text;
                valClose.push_back(depth + 1);
                continue;
            }
            // Left and Right are keywords of SQLite's join syntax: the functions go by
            // other names there.
            // Their results, like Mid's, are texts that compare without regard to letter
            // case, as every text does in the suite.
            if (j < t.size() && t[j].text == "(" &&
                (sameWord(tok.text, "Left") || sameWord(tok.text, "Right") || sameWord(tok.text, "Mid"))) {
                out += sameWord(tok.text, "Left") ? "(jet_left" : sameWord(tok.text, "Right") ? "(jet_right" : "(Mid";
                textClose.push_back(depth + 1);
                continue;
            }
            out += tok.text;
        } else if (tok.kind == SqlTok::Other && tok.text == "(") {
            ++depth;
            out += tok.text;
        } else if (tok.kind == SqlTok::Other && tok.text == ")") {
            out += tok.text;
            if (!valClose.empty() && valClose.back() == depth) {
                out += " AS NUMERIC)";
                valClose.pop_back();
            }
            if (!textClose.empty() && textClose.back() == depth) {
                out += " COLLATE NOCASE)";
                textClose.pop_back();
            }
            --depth;
        } else {
            out += tok.text;
        }
    }
    return out;
}

void registerDialectFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "jet_left", 2, flags, nullptr, fnLeft, nullptr, nullptr);
    sqlite3_create_function(db, "jet_right", 2, flags, nullptr, fnRight, nullptr, nullptr);
    sqlite3_create_function(db, "Mid", 2, flags, nullptr, fnMid, nullptr, nullptr);
    sqlite3_create_function(db, "Mid", 3, flags, nullptr, fnMid, nullptr, nullptr);
    sqlite3_create_function(db, "Val", 1, flags, nullptr, fnVal, nullptr, nullptr);
    sqlite3_create_function(db, "CurrencyUnits", 1, flags, nullptr, fnCurrencyUnits, nullptr, nullptr);
    sqlite3_create_function(db, "ravelt_unreadable", 2, flags, nullptr, fnUnreadable, nullptr, nullptr);
    sqlite3_create_function(db, "Instr", 2, flags, nullptr, fnInstr, nullptr, nullptr);
    sqlite3_create_function(db, "Instr", 3, flags, nullptr, fnInstr, nullptr, nullptr);
    sqlite3_create_function(db, "UCase", 1, flags, nullptr, fnUCase, nullptr, nullptr);
    sqlite3_create_function(db, "LCase", 1, flags, nullptr, fnLCase, nullptr, nullptr);
    sqlite3_create_function(db, "Len", 1, flags, nullptr, fnLen, nullptr, nullptr);
}

}
