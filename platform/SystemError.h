#pragma once
#include <string>

namespace ravelt {

// The reason behind a failed system call (an errno value) in words an operator of this
// program reads: "disco pieno" for ENOSPC, "file troppo grande ..." for EFBIG and so on;
// a value without its own words gets the system's text and its number.
std::string systemErrorText(int code);

}
