#pragma once
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ravelt {

// A character the operator typed that the report file's code page 1252 cannot hold.
// The message names it, its code and its line and column, so the operator can find it.
class CarattereNonRappresentabile : public std::runtime_error {
public:
    CarattereNonRappresentabile(char32_t carattere, int riga, int colonna);
    char32_t carattere() const { return carattere_; }
    int riga() const { return riga_; }
    int colonna() const { return colonna_; }

private:
    char32_t carattere_;
    int riga_;
    int colonna_;
};

// One report line (code page 1252) as the preview shows it: converted with TogliAccenti,
// as UTF-8, without a line end.
std::string RigaPerEditor(std::string_view riga);

// The report's lines as the preview's text: each shown line followed by a line feed.
std::string RighePerEditor(const std::vector<std::string>& righe);

// The text of an editor (UTF-8) as bytes of the report's code page: every line end
// (line feed, CR LF, or the editor's paragraph and line separators) becomes CR LF and
// every other character its code-page-1252 byte. The first character the code page
// cannot hold raises CarattereNonRappresentabile; nothing is converted then, so the
// caller can leave the file as it was. Invalid UTF-8 raises std::invalid_argument.
std::string TestoEditorInCp1252(std::string_view utf8);

}
