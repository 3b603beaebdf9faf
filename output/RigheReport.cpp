#include "output/RigheReport.h"

#include "platform/ReportFile.h"
#include "platform/AtomicFile.h"
#include "platform/TextLines.h"

namespace ravelt {

std::vector<std::string> DividiRighe(std::string_view bytes)
{
    return splitLines(bytes);
}

std::optional<std::vector<std::string>> LeggiRigheReport(const std::filesystem::path& folder, std::int16_t pcLocal)
{
    auto path = findReportFile(folder, pcLocal);
    if (!path)
        return std::nullopt;
    return DividiRighe(readFileBytes(*path));
}

}
