#pragma once
#include "spedix/ImpostazioniPosta.h"

#include <string>

namespace ravelt {

// Sends the composed message through the SMTP server of the settings: from the
// sender's address to every recipient, with STARTTLS required when the settings ask for
// it (port 465 speaks TLS from the start), logging in when a user is set. A server that
// cannot be reached, refuses the login, the sender, a recipient or the message raises
// ErrorePosta with the server's reason; the password is never part of it.
void InviaSmtp(const ImpostazioniPosta& impostazioni, const std::string& messaggio);

}
