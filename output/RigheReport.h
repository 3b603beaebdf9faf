#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravelt {

// The lines of a report file's bytes, without their line ends. A line ends at CR LF;
// a line feed alone ends a line too (files edited by other tools), while a carriage
// return alone is part of the line. The end of the bytes ends the last line, so a file
// that ends with its line end has no empty line after it, and an empty file has none.
std::vector<std::string> DividiRighe(std::string_view bytes);

// A line that holds exactly one form feed and nothing else ends the page.
inline bool RigaSaltoPagina(std::string_view line) { return line == "\f"; }

// The workstation's report file read whole into lines; nullopt when there is none.
// A file that exists and cannot be read raises std::runtime_error naming it.
std::optional<std::vector<std::string>> LeggiRigheReport(const std::filesystem::path& folder, std::int16_t pcLocal);

}
