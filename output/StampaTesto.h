#pragma once
#include <string>
#include <vector>

namespace ravelt {

// How a report goes to a text device: the profile's control bytes, its top margin, the
// page length after which a page ends and the physical form length, and the two options
// of the hotel's support code.
struct ParametriStampaTesto {
    std::string sequenzaControllo = std::string(5, '\0');
    int margineSuperiore = 0;  // M: blank lines at the top of every page
    int lunghezzaPagina = 60;  // P: the page ends when the line counter equals it
    int lunghezzaModulo = 66;  // L: the form length pages are padded to under option U
    bool opzioneK = false;     // lines go out unconverted
    bool opzioneU = false;     // pages end with empty lines up to L instead of a form feed
};

// The bytes a text device receives for the report's lines (code page 1252, without
// line ends): the control bytes, then M lines of one blank; each text line (converted
// with TogliAccenti unless K) followed by CR LF; a page end whenever the line counter
// (margin lines included) equals P and at each page-break line: a form feed, or under
// U empty lines while the counter is below L, then the next page's M margin lines; at
// the end of the report a last form feed or padding when the page holds anything.
std::string ComponiStampaTesto(const std::vector<std::string>& righe, const ParametriStampaTesto& p);

}
