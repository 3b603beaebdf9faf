#pragma once
#include <cstdint>
#include <filesystem>
#include <string>

namespace ravelt {

// The management password is kept in Security.pwd, written by another program of the
// suite, as its stored form (every code-page-1252 code lowered by 12), a comma and a
// check value. These routines turn one form into the other and read the file.

// Upper-cases 'testo' in place, then returns it with every character's code-page-1252
// code raised by 12 (mode 0, which decodes the stored form) or lowered by 12 (mode 1,
// which makes it); any other mode gives "". A character outside the code page counts as
// '?', as the suite's code-page conversion makes it. A code pushed outside 0-255 has no
// character: std::out_of_range, naming the character, so a damaged file is told apart.
std::string TrasformaPassword(std::string& testo, std::int16_t modo);

// The check value of a password in clear: the sum over its characters of 7 x code + 6
// (code-page-1252 codes), as decimal text without blanks. The sum is 32-bit, as in the
// file; a text long enough to overflow it raises std::overflow_error.
std::string CalcolaControllo(const std::string& testo);

// The two parts of the file's first line. The line is scanned from its last character
// towards its first: a comma moves the scan one character further left and counts as
// a comma seen; the character then under the scan goes in front of the tail while no
// comma has been seen, in front of the head once one has. With one comma the head is
// the text before it and the tail the text after it; with several, the tail is the text
// after the last one, and a comma right after a skipped comma is kept in the head.
// A comma in first position would move the scan before the line: the scan stops there,
// so ",1404" gives an empty head (no stored password) and the tail "1404". A line with no
// comma is all tail.
struct PasswordLine {
    std::string head;
    std::string tail;
};
PasswordLine splitPasswordLine(const std::string& line);

// What the main window's load takes from Security.pwd.
enum class PasswordFileStatus {
    Missing,     // no such file: empty password, check value 0; not an error
    Read,        // read and decoded
    Unreadable,  // there but unusable: cannot be opened, a folder, a stored password
                 // that does not decode, a check value that is not a 32-bit whole number
};

struct PasswordSettings {
    PasswordFileStatus status = PasswordFileStatus::Missing;
    std::string PasswordDirezione;  // decoded head (TrasformaPassword mode 0)
    std::int32_t ValoreControllo = 0;
    std::string problem;  // for Unreadable: what is wrong, in the operator's words
};

// Reads the first line of Security.pwd in 'folder' (bytes in code page 1252; the line
// ends at the first carriage return or line feed, and nothing after it is read; an
// empty file gives an empty line), splits it with splitPasswordLine, decodes the head
// and reads the tail through FiltraCampo mode 1 as a whole number. Time and memory
// grow in step with the first line's length. Never throws for a bad file: an Unreadable
// status says why, and the caller decides (the start-up refuses access rather than
// grant it on a password it could not read).
PasswordSettings readPasswordSettings(const std::filesystem::path& folder);

// True when the support code makes the gate consult the management password: it holds
// "^" or "P", exact case (a lower-case "p" does not count).
bool gateUsesPassword(const std::string& codiceAssistenza);

}
