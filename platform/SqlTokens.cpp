#include "platform/SqlTokens.h"

#include "platform/PlainText.h"

#include <cctype>

namespace ravelt {

namespace {

bool isNameChar(char ch)
{
    return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_' || static_cast<unsigned char>(ch) >= 0x80;
}

}

std::vector<SqlToken> tokenizeSql(const std::string& s)
{
    std::vector<SqlToken> out;
    size_t i = 0;
    while (i < s.size()) {
        char ch = s[i];
        if (ch == '\'' || ch == '"') {
            size_t j = i + 1;
            while (j < s.size()) {
                if (s[j] == ch) {
                    if (j + 1 < s.size() && s[j + 1] == ch) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            j = std::min(j + 1, s.size());
            out.push_back({SqlTok::String, s.substr(i, j - i)});
            i = j;
        } else if (std::isspace(static_cast<unsigned char>(ch))) {
            size_t j = i;
            while (j < s.size() && std::isspace(static_cast<unsigned char>(s[j])))
                ++j;
            out.push_back({SqlTok::Space, s.substr(i, j - i)});
            i = j;
        } else if (isNameChar(ch)) {
            size_t j = i;
            while (j < s.size() && isNameChar(s[j]))
                ++j;
            out.push_back({SqlTok::Ident, s.substr(i, j - i)});
            i = j;
        } else {
            out.push_back({SqlTok::Other, std::string(1, ch)});
            ++i;
        }
    }
    return out;
}

std::size_t nextSolidToken(const std::vector<SqlToken>& t, std::size_t i)
{
    while (i < t.size() && t[i].kind == SqlTok::Space)
        ++i;
    return i;
}

bool sameWord(const std::string& a, const char* b)
{
    size_t n = std::char_traits<char>::length(b);
    if (a.size() != n)
        return false;
    for (size_t k = 0; k < n; ++k)
        if (lowerAscii(a[k]) != lowerAscii(b[k]))
            return false;
    return true;
}

std::string unquotedText(const std::string& quoted)
{
    std::string out;
    if (quoted.size() < 2)
        return out;
    const char q = quoted[0];
    for (size_t k = 1; k + 1 < quoted.size(); ++k) {
        out += quoted[k];
        if (quoted[k] == q && k + 1 < quoted.size() - 1 && quoted[k + 1] == q)
            ++k;
    }
    return out;
}

std::string foreignStoreAt(const std::vector<SqlToken>& t, std::size_t i, std::size_t& last)
{
    if (t[i].kind != SqlTok::Ident && !(t[i].kind == SqlTok::String && t[i].text[0] == '"'))
        return {};
    size_t j = nextSolidToken(t, i + 1);
    if (j >= t.size() || t[j].kind != SqlTok::Ident || !sameWord(t[j].text, "In"))
        return {};
    size_t k = nextSolidToken(t, j + 1);
    if (k >= t.size() || t[k].kind != SqlTok::String || t[k].text[0] != '\'')
        return {};
    std::string file = unquotedText(t[k].text);
    if (file.size() <= 4 || lowerAscii(file.substr(file.size() - 4)) != ".mdb")
        return {};
    last = k;
    return file;
}

}
