#include "spedix/ImpostazioniPosta.h"

#include "spedix/ErrorePosta.h"
#include "platform/PlainText.h"
#include "platform/TextLines.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sys/stat.h>

namespace ravelt {

namespace {

bool valid(const std::string& mailbox)
{
    std::string a = IndirizzoDi(mailbox);
    size_t at = a.find('@');
    return !a.empty() && at != std::string::npos && at > 0 && at + 1 < a.size() &&
           a.find_first_of(" \t<>,;\"") == std::string::npos;
}

}

std::string IndirizzoDi(const std::string& casella)
{
    size_t open = casella.rfind('<');
    size_t close = casella.rfind('>');
    if (open != std::string::npos && close != std::string::npos && close > open)
        return trimBlanks(casella.substr(open + 1, close - open - 1));
    return trimBlanks(casella);
}

ImpostazioniPosta LeggiImpostazioniPosta(const std::filesystem::path& file)
{
    const std::string name = file.filename().string();
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw ErrorePosta("manca il file delle impostazioni di posta " + file.string() +
                          " (server, porta, mittente, destinatari)");
    ImpostazioniPosta s;
    bool server = false, mittente = false, destinatari = false;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        throw ErrorePosta("impossibile leggere il file delle impostazioni di posta " + file.string());
    int number = 0;
    for (const std::string& line : splitLines(bytes)) {
        ++number;
        std::string t = trimBlanks(line);
        if (t.empty() || t[0] == '#' || t[0] == ';')
            continue;
        auto where = [&] { return name + ", riga " + std::to_string(number); };
        size_t eq = t.find('=');
        if (eq == std::string::npos)
            throw ErrorePosta(where() + ": manca \"=\" tra il nome e il valore");
        std::string key = lowerAscii(trimBlanks(t.substr(0, eq)));
        std::string value = trimBlanks(t.substr(eq + 1));
        if (key == "server") {
            s.server = value;
            server = !value.empty();
        } else if (key == "porta") {
            size_t used = 0;
            int port = 0;
            try {
                port = std::stoi(value, &used);
            } catch (const std::invalid_argument&) {
                used = 0;  // no digits: told below as a port that is not a number
            } catch (const std::out_of_range&) {
                used = 0;  // beyond int: told below as a port out of range
            }
            if (used == 0 || used != value.size() || port < 1 || port > 65535)
                throw ErrorePosta(where() + ": la porta \"" + value + "\" non è un numero da 1 a 65535");
            s.porta = port;
        } else if (key == "starttls") {
            std::string v = lowerAscii(value);
            if (v == "si" || v == "sì" || v == "yes" || v == "1")
                s.starttls = true;
            else if (v == "no" || v == "0" || v.empty())
                s.starttls = false;
            else
                throw ErrorePosta(where() + ": starttls vale si o no, non \"" + value + "\"");
        } else if (key == "utente") {
            s.utente = value;
        } else if (key == "password") {
            s.password = value;
        } else if (key == "mittente") {
            if (!valid(value))
                throw ErrorePosta(where() + ": il mittente \"" + value + "\" non è un indirizzo di posta");
            s.mittente = value;
            mittente = true;
        } else if (key == "destinatari") {
            s.destinatari.clear();
            std::string part;
            for (size_t i = 0; i <= value.size(); ++i) {
                if (i == value.size() || value[i] == ',' || value[i] == ';') {
                    std::string d = trimBlanks(part);
                    part.clear();
                    if (d.empty())
                        continue;
                    if (!valid(d))
                        throw ErrorePosta(where() + ": il destinatario \"" + d + "\" non è un indirizzo di posta");
                    s.destinatari.push_back(d);
                } else {
                    part += value[i];
                }
            }
            destinatari = !s.destinatari.empty();
        } else {
            throw ErrorePosta(where() + ": impostazione sconosciuta \"" + key +
                              "\" (server, porta, starttls, utente, password, mittente, destinatari)");
        }
    }
    for (auto [present, key] : {std::pair{server, "server"}, {mittente, "mittente"}, {destinatari, "destinatari"}})
        if (!present)
            throw ErrorePosta(name + ": manca l'impostazione \"" + std::string(key) + "\"");

    struct stat st {};
    if (!s.password.empty() && ::stat(file.c_str(), &st) == 0 && (st.st_mode & 077) != 0)
        throw ErrorePosta(name + " contiene una password ma possono leggerlo anche altri utenti: "
                          "lo si renda leggibile solo dal suo proprietario (chmod 600 " + name + ")");
    return s;
}

}
