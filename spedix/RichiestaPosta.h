#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace ravelt {

// A request of the print preview: the file e-mail<N>.txt in code page 1252, whose first
// line is "OGGETTO" and whose other lines are the report's text as the preview showed
// it. The first line may also carry the subject itself: "OGGETTO: text".
struct RichiestaPosta {
    std::string oggetto;  // UTF-8
    std::string testo;    // UTF-8, CR LF line ends, as in the request
};

// Reads the request's bytes. The subject is the first line's own text when it has one;
// otherwise the report's title line (the line that starts with a date dd/mm/yyyy and
// ends with a time hh:mm: the title between them), followed by " - " and the hotel's
// name on the line before it when there is one; otherwise the first line of text with
// a letter or a digit; and for a text without any, "Stampa della postazione N".
// A request whose first line is not "OGGETTO" raises ErrorePosta.
RichiestaPosta LeggiRichiestaPosta(std::string_view bytes, std::int16_t pcLocal);

}
