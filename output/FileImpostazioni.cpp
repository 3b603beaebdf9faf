#include "output/FileImpostazioni.h"

#include "platform/AtomicFile.h"
#include "platform/Cp1252.h"

#include <stdexcept>

namespace ravelt {

namespace {

std::string trimBlanks(const std::string& s)
{
    size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    size_t b = s.find_last_not_of(" \t");
    return s.substr(a, b - a + 1);
}

}

std::optional<std::vector<std::string>> LeggiRigheImpostazioni(const std::filesystem::path& file)
{
    std::error_code ec;
    if (!std::filesystem::exists(file, ec))
        return std::nullopt;
    std::string bytes = readFileBytes(file);
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string LeggiNomeFont(const std::filesystem::path& folder)
{
    auto lines = LeggiRigheImpostazioni(folder / "FontStp.txt");
    if (lines && !lines->empty()) {
        std::string name = trimBlanks(fromCp1252(lines->front()));
        if (!name.empty())
            return name;
    }
    return "Courier New";
}

Currency LeggiEuro(const std::filesystem::path& folder)
{
    auto lines = LeggiRigheImpostazioni(folder / "euro.txt");
    if (!lines)
        return Currency::fromWhole(1);
    std::string first = lines->empty() ? std::string() : trimBlanks(lines->front());
    std::string plain;
    for (char ch : first)
        if (ch != '.')
            plain += ch;
    auto value = Currency::parse(plain);
    if (!value)
        throw std::runtime_error("il file euro.txt non contiene un numero nella prima riga: \"" + first + "\"");
    return *value;
}

}
