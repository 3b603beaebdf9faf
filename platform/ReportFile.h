#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

// The report file's name, shared by the report builders and the output side, which
// both stand on this library: the builder names the file it writes without reaching
// into the output library and the printing it carries.

namespace ravelt {

// The report file of a workstation: the letters "FD" followed by the workstation number
// in plain decimal (workstation 3 writes FD3), no extension. Every part of the program
// writes and looks for this one spelling.
inline std::string reportFileName(std::int16_t pcLocal)
{
    return "FD" + std::to_string(pcLocal);
}

inline std::filesystem::path reportFilePath(const std::filesystem::path& folder, std::int16_t pcLocal)
{
    return folder / reportFileName(pcLocal);
}

// The workstation's report file as a reader finds it: the name of reportFileName() when
// it exists, otherwise a regular file in the folder whose name matches it without regard
// to letter case ("fd3" written by another tool). nullopt when there is none.
inline std::optional<std::filesystem::path> findReportFile(const std::filesystem::path& folder, std::int16_t pcLocal)
{
    std::error_code ec;
    std::filesystem::path exact = reportFilePath(folder, pcLocal);
    if (std::filesystem::is_regular_file(exact, ec))
        return exact;
    auto lower = [](std::string s) {
        for (char& ch : s)
            if (ch >= 'A' && ch <= 'Z')
                ch = static_cast<char>(ch - 'A' + 'a');
        return s;
    };
    const std::string wanted = lower(reportFileName(pcLocal));
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_regular_file(ec) && lower(it->path().filename().string()) == wanted)
            return it->path();
    return std::nullopt;
}

}
