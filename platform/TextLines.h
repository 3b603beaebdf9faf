#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace ravelt {

// Splits a text file's bytes into its lines: a line ends at LF, and a CR just before the
// LF (or just before the end of the bytes) belongs to the line end, not to the line. The
// last line may lack its line end; bytes that end with a line end give no empty line
// after it. Bytes are kept as they are: no code-page conversion.
std::vector<std::string> splitLines(std::string_view bytes);

}
