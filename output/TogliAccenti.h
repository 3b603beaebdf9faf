#pragma once
#include <string>
#include <string_view>

namespace ravelt {

// The character conversions the readers of the report file apply to a line before
// output. The line is code-page-1252 bytes and comes back as bytes of the same length:
// each byte is replaced by one byte, by the first rule that matches it.
//
//   192 À -> à, 200 È -> è, 201 É -> é, 204 Ì -> ì, 217 Ù -> ù, 210 Ò -> ò
//   179 180 183 186 195 (204)                         -> '|'
//   187 188 191 (192) 193 194 196 197 (200) (201) 202 203 206 (217) 218 -> '-'
//
// The accented capitals come first, so the frame bytes that share their values never
// reach the frame rules: the lower corners 192 and 217 come out as à and ù. Every
// other byte is kept.
std::string TogliAccenti(std::string_view line);

// The print menu's copy of TogliAccenti for the Windows-printer path, with one rule
// before all the others: 180, the acute accent (and the right tee of the frames),
// becomes an apostrophe.
std::string Converti2(std::string_view line);

}
