#pragma once
#include "spedix/Allegato.h"
#include "spedix/ImpostazioniPosta.h"

#include <string>
#include <string_view>
#include <vector>

namespace ravelt {

// What varies between two messages of the same content: the date, the identifier.
struct DatiMessaggio {
    std::string data;        // RFC 5322 date, "Sat, 31 Jan 2026 23:59:00 +0100"
    std::string idMessaggio; // "<...@...>"
};

// The message as it goes over SMTP (CR LF lines): the headers (From, To, Subject, Date,
// Message-ID, MIME 1.0), then the report's text once, as a text/plain UTF-8 body in
// quoted-printable, which keeps every blank and so the report's columns. The text is
// never attached again: a copy of it would only double the message. A subject or name
// that is not ASCII is written as an encoded word.
//
// With files to attach the message is multipart/mixed: the same text part first, then
// each file in the order given, in base64 with its content type and its name (RFC 2231
// encoded when it is not plain ASCII). Without them the bytes are those of a plain
// text message, as they always were.
std::string ComponiMessaggio(const ImpostazioniPosta& impostazioni, const std::string& oggetto, const std::string& testo,
                             const DatiMessaggio& dati, const std::vector<Allegato>& allegati = {});

// The boundary between the parts of a message with attachments. It starts with "=_",
// which neither quoted-printable (it writes '=' as =3D) nor base64 can produce, so no
// part can contain it and it may stay the same for every message.
inline constexpr const char* SeparatoreParti = "=_spedix-parte_=";

// A parameter of a part's header (name="x", filename="x"): a quoted string when the
// value is printable ASCII without quote or backslash, otherwise the RFC 2231 form
// name*=UTF-8''%XX... that mail readers decode back to the same name.
std::string ParametroNome(const std::string& parametro, const std::string& valore);

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
