#pragma once
#include "output/AvvisiImpostazioni.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace ravelt {

// The settings of SeparatoreXLS.txt, as code-page-1252 bytes: the field separator (the
// whole first line), the decimal separator (the whole second line) and the currency
// mark (the first character of the third line; an empty line puts a blank).
struct SeparatoreXLS {
    std::string separatore = ",";
    std::string decimale = ".";
    std::string valuta = "\x80";  // €
};

// The settings of the working folder: SeparatoreXLS.txt when it exists, each of its
// first three lines replacing its default (an empty third line puts a blank before the
// amounts). A line that says nothing usable keeps the default, and 'avvisi', when
// given, is told which line was ignored: a missing line, an empty first or second line,
// a decimal separator equal to the field separator (the default decimal separator is
// then "." or, when the field separator is ".", ","); an empty file keeps all three.
SeparatoreXLS LeggiSeparatoreXLS(const std::filesystem::path& folder, AvvisiImpostazioni* avvisi = nullptr);

// One CSV row from one report line (code-page-1252 bytes, without its line end): frame
// corners, tees, crosses, verticals, "|" and "+" become the separator; the right tee
// (180) too at the end of the line, elsewhere a blank; horizontal rules (196) become
// blanks. An amount written the Italian way loses its thousands points ("." between a
// digit and two digits) and its decimal comma (between a digit and two digits) becomes
// the decimal separator, with the currency mark put in place of the last blank before
// the amount in its own field (at the start of the field when the field has no blank).
// Any other comma becomes a blank, a "-" not followed by a digit a blank. Every other
// byte is copied: accented letters keep their bytes.
std::string RigaCsv(std::string_view riga, const SeparatoreXLS& impostazioni);

// Writes the CSV file from the report file: one row per line, each ending with CR LF,
// in the report's code page. The CSV file is replaced in one step. A missing report
// file or an unwritable CSV file raises std::runtime_error naming it.
void ConvertiXLS(const std::filesystem::path& report, const std::filesystem::path& csv, const SeparatoreXLS& impostazioni);

// The CSV file of a workstation: "fd" + the workstation number + ".csv" (fd3.csv).
std::string NomeFileCsv(std::int16_t pcLocal);

}
