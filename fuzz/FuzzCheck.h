#pragma once
#include "testing/TempFolder.h"

#include <string>
#include <string_view>

namespace ravelt::fuzz {

// Stops the run when a reader breaks a promise of its interface: prints what was
// expected and aborts, so that libFuzzer reports the input as a crash and keeps it.
void require(bool ok, const std::string& what);

// True when the text is whole, well-formed UTF-8 (the program's own text encoding).
bool isUtf8(std::string_view text);

// The target's working folder for the files its reader takes by path: made at first
// use under the temporary folder (TMPDIR), removed when the process ends normally.
const ravelt::testing::TempFolder& scratch();

}
