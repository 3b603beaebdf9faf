#pragma once
#include <string>
#include <string_view>

namespace ravelt {

// Something a settings file of the working folder says that the program could not use,
// and what the program did instead: the file, the line, and the words for the operator.
struct AvvisoImpostazioni {
    std::string file;   // the file's name as it stands in the working folder
    int riga = 0;       // from 1; 0 when the notice is about the file as a whole
    std::string testo;  // UTF-8

    // "file, riga N: testo", or "file: testo" for the file as a whole.
    std::string messaggio() const;

    bool operator==(const AvvisoImpostazioni&) const = default;
};

// A line's text as a notice quotes it: between double quotes, cut after 40 characters
// (with "..." after the cut), control characters shown as "?", so that a line of any
// length or content gives a message that fits in a box. CitaRiga takes UTF-8 text,
// CitaRigaCp1252 a file's code-page bytes.
std::string CitaRiga(std::string_view utf8);
std::string CitaRigaCp1252(std::string_view bytes);

}
