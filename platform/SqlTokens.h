#pragma once
#include <string>
#include <vector>

namespace ravelt {

// The pieces of a statement of the suite's dialect, as the translations to each engine
// read them: names, quoted texts ('…' literals and "…" names, with their quotes),
// runs of blanks, and single other characters. Putting the pieces' texts back together
// gives the statement unchanged.
enum class SqlTok { Ident, String, Space, Other };

struct SqlToken {
    SqlTok kind;
    std::string text;
};

std::vector<SqlToken> tokenizeSql(const std::string& sql);

// The index of the first piece from i on that is not blanks (t.size() when none).
std::size_t nextSolidToken(const std::vector<SqlToken>& t, std::size_t i);

// True when the name equals the ASCII word without regard to letter case.
bool sameWord(const std::string& name, const char* word);

// The text of a quoted piece, quotes removed and doubled quotes undone.
std::string unquotedText(const std::string& quoted);

// A store named in  Table In 'File.mdb'  at piece i: the file's name, and in 'last' the
// index of the literal; empty when the pieces at i are not of that form.
std::string foreignStoreAt(const std::vector<SqlToken>& t, std::size_t i, std::size_t& last);

}
