#include "shell/PasswordRoutines.h"

#include "platform/Cp1252.h"
#include "shell/FieldRoutines.h"
#include "shell/TextChars.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <limits>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace ravelt {

namespace {

std::string upperCased(const std::string& text)
{
    std::u32string c = toCodePoints(text);
    for (auto& ch : c)
        ch = upperCaseChar(ch);
    return fromCodePoints(c);
}

// A whole number in 32 bits, optional leading minus; nullopt otherwise.
std::optional<std::int32_t> wholeNumber32(const std::string& text)
{
    std::int32_t value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || text.empty())
        return std::nullopt;
    return value;
}

// Reads the bytes of the stream's first line, up to its first carriage return or line
// feed or the end of the stream, block by block: the rest of the file is never read.
// False on a read error.
bool readFirstLine(std::istream& in, std::string& line)
{
    char block[64 * 1024];
    for (;;) {
        in.read(block, sizeof block);
        const std::streamsize got = in.gcount();
        const char* end = std::find_if(block, block + got, [](char ch) { return ch == '\r' || ch == '\n'; });
        line.append(block, static_cast<size_t>(end - block));
        if (end != block + got)
            return true;
        if (!in)
            return !in.bad();
    }
}

// The scan of splitPasswordLine over a line's characters, as code points or as the
// file's single-byte codes alike (the comma is the same character in both). Both
// parts are gathered last character first and turned round at the end, so that each
// character is copied once whatever the length of the line.
template <typename Text>
std::pair<Text, Text> splitAtLastComma(const Text& c)
{
    Text head, tail;
    bool commaSeen = false;
    for (long i = static_cast<long>(c.size()) - 1; i >= 0; --i) {
        if (c[static_cast<size_t>(i)] == ',') {
            --i;
            commaSeen = true;
            if (i < 0)
                break;  // the line began with a comma: nothing left of it
        }
        (commaSeen ? head : tail).push_back(c[static_cast<size_t>(i)]);
    }
    std::reverse(head.begin(), head.end());
    std::reverse(tail.begin(), tail.end());
    return {std::move(head), std::move(tail)};
}

PasswordSettings unreadable(const std::string& problem)
{
    PasswordSettings s;
    s.status = PasswordFileStatus::Unreadable;
    s.problem = problem;
    return s;
}

}

std::string TrasformaPassword(std::string& testo, std::int16_t modo)
{
    testo = upperCased(testo);
    if (modo != 0 && modo != 1)
        return {};
    const int shift = modo == 0 ? 12 : -12;
    const std::string bytes = toCp1252(testo);
    std::string out;
    out.reserve(bytes.size());
    for (unsigned char c : bytes) {
        int code = c + shift;
        if (code < 0 || code > 255)
            throw std::out_of_range("il carattere di codice " + std::to_string(c) + " non ha un corrispondente (codice " +
                                    std::to_string(code) + ")");
        out += static_cast<char>(code);
    }
    return fromCp1252(out);
}

std::string CalcolaControllo(const std::string& testo)
{
    std::int64_t sum = 0;
    for (unsigned char c : toCp1252(testo)) {
        sum += (c + 3) * 2 + c * 5;
        if (sum > std::numeric_limits<std::int32_t>::max())
            throw std::overflow_error("valore di controllo oltre i 32 bit");
    }
    return std::to_string(sum);
}

PasswordLine splitPasswordLine(const std::string& line)
{
    auto [head, tail] = splitAtLastComma(toCodePoints(line));
    return {fromCodePoints(head), fromCodePoints(tail)};
}

PasswordSettings readPasswordSettings(const std::filesystem::path& folder)
{
    const auto path = folder / "Security.pwd";
    std::error_code ec;
    auto st = std::filesystem::status(path, ec);
    if (st.type() == std::filesystem::file_type::not_found)
        return {};
    if (ec)
        return unreadable("non si può esaminare (" + ec.message() + ")");
    if (std::filesystem::is_directory(st))
        return unreadable("è una cartella, non un file");

    std::ifstream in(path, std::ios::binary);
    if (!in.is_open())
        return unreadable("non si può aprire in lettura");
    std::string bytes;
    if (!readFirstLine(in, bytes))
        return unreadable("errore di lettura");

    auto [storedBytes, checkBytes] = splitAtLastComma(bytes);
    PasswordLine parts{fromCp1252(storedBytes), fromCp1252(checkBytes)};
    PasswordSettings s;
    s.status = PasswordFileStatus::Read;
    try {
        s.PasswordDirezione = TrasformaPassword(parts.head, 0);
    } catch (const std::out_of_range& e) {
        return unreadable(std::string("la password registrata non si può decodificare: ") + e.what());
    }
    std::string check = FiltraCampo(parts.tail, 1);
    auto value = wholeNumber32(check);
    if (!value)
        return unreadable("il valore di controllo \"" + parts.tail + "\" non è un numero intero");
    s.ValoreControllo = *value;
    return s;
}

bool gateUsesPassword(const std::string& codiceAssistenza)
{
    return codiceAssistenza.find('^') != std::string::npos || codiceAssistenza.find('P') != std::string::npos;
}

}
