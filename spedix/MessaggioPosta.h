#pragma once
#include "spedix/ImpostazioniPosta.h"

#include <string>
#include <string_view>

namespace ravelt {

// What varies between two messages of the same content: the date, the identifier.
struct DatiMessaggio {
    std::string data;        // RFC 5322 date, "Sat, 31 Jan 2026 23:59:00 +0100"
    std::string idMessaggio; // "<...@...>"
};

// The message as it goes over SMTP (CR LF lines): the headers (From, To, Subject, Date,
// Message-ID, MIME 1.0), then the report's text once, as a text/plain UTF-8 body in
// quoted-printable, which keeps every blank and so the report's columns. There is no
// attachment: a copy of the same text would only double the message. A subject or
// name that is not ASCII is written as an encoded word.
std::string ComponiMessaggio(const ImpostazioniPosta& impostazioni, const std::string& oggetto, const std::string& testo,
                             const DatiMessaggio& dati);

// Quoted-printable (RFC 2045) of UTF-8 text with CR LF line ends: lines of at most 76
// characters with soft line breaks, '=' and bytes outside printable ASCII as =XX, a
// blank at the end of a line as =20 or =09.
std::string QuotedPrintable(std::string_view testo);

// Base64 in lines of 76 characters ending with CR LF.
std::string Base64(std::string_view bytes, bool righe = true);

// A header value: unchanged when it is ASCII, else encoded words (=?UTF-8?B?...?=)
// of whole characters, folded onto continuation lines.
std::string IntestazioneCodificata(const std::string& valore);

// The current date and a unique message identifier.
DatiMessaggio DatiMessaggioAdesso();

}
