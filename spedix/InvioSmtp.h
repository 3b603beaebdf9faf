#pragma once
#include "spedix/ImpostazioniPosta.h"

#include <string>

namespace ravelt {

// How long a sending may wait, in seconds. 'connessione' bounds the connection with the
// server's greeting and the login (libcurl's connection phase). 'silenzio' is the
// longest the server may say nothing: after a command, while it takes the message, and
// after the message's final "." (a server that takes the message and never confirms it
// would otherwise hold the sender). 'totale' bounds the whole sending, however the
// server trickles its answers.
struct TempiInvio {
    long connessione = 10;
    long silenzio = 60;
    long totale = 120;
};

// Sends the composed message through the SMTP server of the settings: from the
// sender's address to every recipient, with STARTTLS required when the settings ask for
// it (port 465 speaks TLS from the start), logging in when a user is set. A server that
// cannot be reached, falls silent beyond the limits, refuses the login, the sender, a
// recipient or the message raises ErrorePosta with the server's reason; the password
// is never part of it.
void InviaSmtp(const ImpostazioniPosta& impostazioni, const std::string& messaggio, const TempiInvio& tempi = {});

}
