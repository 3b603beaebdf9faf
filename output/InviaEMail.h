#pragma once
#include "platform/ProgramLauncher.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace ravelt {

// The request file for the mail program: "e-mail" + the workstation number + ".txt"
// (e-mail12.txt).
std::string NomeRichiestaEMail(std::int16_t pcLocal);

// The request file's bytes for a text (UTF-8, as the preview's box holds it): the line
// "OGGETTO", the text with CR LF line ends in code page 1252, and one more CR LF.
// A character the code page cannot hold raises CarattereNonRappresentabile.
std::string ContenutoRichiestaEMail(const std::string& testo);

// The mail program of the suite, started by plain name.
inline constexpr const char* ProgrammaPosta = "spedix";

struct ContestoEMail {
    std::filesystem::path folder;  // the working folder: request file and program start
    std::int16_t pcLocal = 0;      // passed on to the mail program as PCLocal
    ProgramLauncher* launcher = nullptr;
    bool attendi = false;          // wait for the mail program and return its exit code
    // Where to look for the program after the working folder: the running program's
    // folder, then the search path. Empty: the real ones.
    std::filesystem::path cartellaProgramma;
    std::string percorsoRicerca;
    // Files the mail carries besides the text (the report's PDF); only with 'attendi'.
    std::vector<std::filesystem::path> allegati;
};

// Sends the text by e-mail: writes the workstation's request file (replacing it in one
// step) and starts the mail program in the working folder, found in the working folder,
// the running program's folder or the search path. Returns at once (0), or with
// 'attendi' the program's exit code. A text the code page cannot hold, a request file
// that cannot be written, or a mail program that is not found or does not start raise
// std::runtime_error with the reason; a request file already written stays.
int InviaEMail(const std::string& testo, const ContestoEMail& contesto);

}
