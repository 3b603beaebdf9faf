#pragma once
#include "platform/Clock.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace ravelt {

// The word-processor copy of the report: "doc/fd" + the workstation number + the year
// (four digits), month, day, hour and minute (two digits each) + ".doc", relative to
// the working folder. Workstation 3 on 12 March 2024 at 15:07: doc/fd3202403121507.doc.
std::filesystem::path NomeCopiaDoc(std::int16_t pcLocal, const DateTime& quando);

struct CopiaDoc {
    std::filesystem::path percorso;  // the copy's path in the working folder
    bool copiata = false;            // false: no report file, or the copy failed
    std::string problema;            // why it was not made, when there was a report
};

// Makes the copy at the print menu's load: creates the folder "doc" (an existing one is
// no error) and copies the report file byte for byte over any copy of the same name.
// The name is computed once from the clock, so the copy made and the copy later opened
// are the same file even when the minute changes in between. Never raises: a missing
// report leaves no copy, and a failure is told in 'problema'.
CopiaDoc CreaCopiaDoc(const std::filesystem::path& folder, std::int16_t pcLocal, const Clock& clock);

}
