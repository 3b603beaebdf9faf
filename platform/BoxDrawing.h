#pragma once

namespace ravelt {

// The bytes that draw frames in the program's text files and printouts: the single-line
// pieces of the PC box-drawing set, in code page 437 positions, which the suite's printers
// and its readers of report files take as frames. The report and the table print draw
// with them; the CSV export and the line conversions take them for what they are.
struct BoxDrawing {
    static constexpr char Vertical = '\xB3';     // 179
    static constexpr char Horizontal = '\xC4';   // 196
    static constexpr char TopLeft = '\xDA';      // 218
    static constexpr char TopRight = '\xBF';     // 191
    static constexpr char BottomLeft = '\xC0';   // 192
    static constexpr char BottomRight = '\xD9';  // 217
    static constexpr char TopTee = '\xC2';       // 194
    static constexpr char BottomTee = '\xC1';    // 193
    static constexpr char LeftTee = '\xC3';      // 195
    static constexpr char RightTee = '\xB4';     // 180
    static constexpr char Cross = '\xC5';        // 197
};

}
