#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace ravelt {

// The workstation's mail settings, from the file Spedix.ini of the working folder:
// lines "key=value" (blanks around both are dropped; lines starting with # or ; and
// blank lines are ignored):
//
//   server=127.0.0.1          SMTP server (required)
//   porta=2525                port, 1 to 65535 (default 25; 465 speaks TLS from the start)
//   starttls=no               si: the connection must switch to TLS (STARTTLS) before sending
//   utente=                   login name; empty: no login
//   password=                 login password
//   mittente=Cassa <cassa@hotel.example>     sender (required)
//   destinatari=a@x.example, b@y.example      recipients, separated by , or ; (required)
struct ImpostazioniPosta {
    std::string server;
    int porta = 25;
    bool starttls = false;
    std::string utente;
    std::string password;
    std::string mittente;
    std::vector<std::string> destinatari;
};

inline constexpr const char* FileImpostazioniPosta = "Spedix.ini";

// Reads the settings. A missing file, an unknown key, a value that is not valid, a
// missing required key, or a file holding a password that users other than its owner
// may read raise ErrorePosta naming the file, the line and what to change.
ImpostazioniPosta LeggiImpostazioniPosta(const std::filesystem::path& file);

// The address of a mailbox written "Name <address>" or "address".
std::string IndirizzoDi(const std::string& casella);

}
