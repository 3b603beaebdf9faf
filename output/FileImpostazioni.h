#pragma once
#include "platform/Currency.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ravelt {

// The lines of a small settings file of the working folder (CR LF or LF line ends), as
// the file's code-page-1252 bytes without their line ends; nullopt when the file does
// not exist. A file that exists but cannot be read raises std::runtime_error naming it.
std::optional<std::vector<std::string>> LeggiRigheImpostazioni(const std::filesystem::path& file);

// The font for printing on printers: the first line of FontStp.txt without the blanks
// around it; "Courier New" when the file is missing or its first line is blank.
std::string LeggiNomeFont(const std::filesystem::path& folder);

// The exchange value of euro.txt: its first line, a number written the Italian way
// (1.936,27 or 1936,27), as an amount with four decimals; 1 when the file is missing.
// A first line that is not a number raises std::runtime_error quoting it.
Currency LeggiEuro(const std::filesystem::path& folder);

}
