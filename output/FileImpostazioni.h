#pragma once
#include "output/AvvisiImpostazioni.h"
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
// around it; "Courier New" when the file is missing. A file whose first line is blank,
// missing or holds control characters says no font name: "Courier New" is used and
// 'avvisi', when given, is told which line was ignored.
std::string LeggiNomeFont(const std::filesystem::path& folder, AvvisiImpostazioni* avvisi = nullptr);

// The exchange value of euro.txt: its first line, a number written the Italian way
// (1.936,27 or 1936,27: points only between groups of three digits of the whole part),
// as an amount with four decimals; 1 when the file is missing.
// A file that is there but gives no usable value (no first line, a first line that is
// not a number, a value not above zero, which could not divide an amount) raises
// ImpostazioneNonValida naming the file and the line: no figure may be computed from it,
// and no default stands in for a file that is there.
Currency LeggiEuro(const std::filesystem::path& folder);

}
