#include "output/RigheReport.h"

#include "output/ReportFile.h"
#include "platform/AtomicFile.h"

namespace ravelt {

std::vector<std::string> DividiRighe(std::string_view bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        size_t textEnd = end;
        if (lf != std::string_view::npos && textEnd > start && bytes[textEnd - 1] == '\r')
            --textEnd;
        lines.emplace_back(bytes.substr(start, textEnd - start));
        start = end + 1;
    }
    return lines;
}

std::optional<std::vector<std::string>> LeggiRigheReport(const std::filesystem::path& folder, std::int16_t pcLocal)
{
    auto path = findReportFile(folder, pcLocal);
    if (!path)
        return std::nullopt;
    return DividiRighe(readFileBytes(*path));
}

}
