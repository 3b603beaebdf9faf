// The mail settings (Spedix.ini) as the mail sender reads them.
//
// A file the reader accepts has a server, a port from 1 to 65535, a sender and at
// least one recipient that are addresses; a file it refuses raises ErrorePosta and
// nothing else. The refusal is shown to the operator and may land in a log, so it must
// never hold the password: the file is read twice, with the value of every password
// line replaced by two different texts of the same length, and the two outcomes must
// be the same apart from the password itself.
#include "fuzz/FuzzCheck.h"
#include "spedix/ErrorePosta.h"
#include "spedix/ImpostazioniPosta.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>

using namespace ravelt;

namespace {

// Where the values of the password lines stand in the file: "password" (any case, blanks
// around it) before the first "=" of a line. Lines end at line feeds, as the reader's.
std::vector<std::pair<std::size_t, std::size_t>> passwordValues(const std::string& bytes)
{
    std::vector<std::pair<std::size_t, std::size_t>> spans;
    std::size_t start = 0;
    while (start <= bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::size_t eq = bytes.find('=', start);
        if (eq != std::string::npos && eq < end) {
            std::string key = bytes.substr(start, eq - start);
            std::size_t a = key.find_first_not_of(" \t\r");
            std::size_t b = key.find_last_not_of(" \t\r");
            key = a == std::string::npos ? std::string() : key.substr(a, b - a + 1);
            for (char& c : key)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            if (key == "password" && end > eq + 1)
                spans.emplace_back(eq + 1, end - eq - 1);
        }
        start = end + 1;
    }
    return spans;
}

std::string withPassword(std::string bytes, const std::vector<std::pair<std::size_t, std::size_t>>& spans, char filler)
{
    for (auto [at, length] : spans)
        bytes.replace(at, length, length, filler);
    return bytes;
}

// The reader's outcome: "ok" and the accepted settings, or the message of its refusal.
std::string outcome(const std::string& bytes, std::string* password)
{
    const auto& folder = fuzz::scratch();
    const auto file = folder / "Spedix.ini";
    folder.write("Spedix.ini", bytes);
    // Readable by its owner only, as a file holding a password must be.
    std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    try {
        ImpostazioniPosta s = LeggiImpostazioniPosta(file);
        fuzz::require(!s.server.empty(), "accepted settings name a server");
        fuzz::require(s.porta >= 1 && s.porta <= 65535, "accepted settings have a port from 1 to 65535");
        fuzz::require(IndirizzoDi(s.mittente).find('@') != std::string::npos, "the sender is an address");
        fuzz::require(!s.destinatari.empty(), "accepted settings have a recipient");
        for (const auto& d : s.destinatari)
            fuzz::require(IndirizzoDi(d).find('@') != std::string::npos, "every recipient is an address");
        *password = s.password;
        return "ok " + s.server + " " + std::to_string(s.porta) + " " + s.mittente + " " + s.utente;
    } catch (const ErrorePosta& e) {
        return e.what();
    }
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto spans = passwordValues(bytes);
    std::string password;
    outcome(bytes, &password);
    if (spans.empty())
        return 0;
    std::string first, second;
    const std::string a = outcome(withPassword(bytes, spans, 'Q'), &first);
    const std::string b = outcome(withPassword(bytes, spans, 'Z'), &second);
    fuzz::require(a == b, "what the reader says does not depend on the password: \"" + a + "\" / \"" + b + "\"");
    fuzz::require(first.find_first_not_of('Q') == std::string::npos && second.find_first_not_of('Z') == std::string::npos,
                  "the password read is the file's");
    return 0;
}
