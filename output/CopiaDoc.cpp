#include "output/CopiaDoc.h"

#include "platform/ReportFile.h"

#include <cstdio>

namespace ravelt {

std::filesystem::path NomeCopiaDoc(std::int16_t pcLocal, const DateTime& t)
{
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute);
    return std::filesystem::path("doc") / ("fd" + std::to_string(pcLocal) + stamp + ".doc");
}

CopiaDoc CreaCopiaDoc(const std::filesystem::path& folder, std::int16_t pcLocal, const Clock& clock)
{
    CopiaDoc c;
    c.percorso = folder / NomeCopiaDoc(pcLocal, clock.now());
    std::error_code ec;
    std::filesystem::create_directories(folder / "doc", ec);
    auto report = findReportFile(folder, pcLocal);
    if (!report)
        return c;
    if (ec) {
        c.problema = "impossibile creare la cartella " + (folder / "doc").string() + ": " + ec.message();
        return c;
    }
    std::filesystem::copy_file(*report, c.percorso, std::filesystem::copy_options::overwrite_existing, ec);
    if (ec)
        c.problema = "impossibile copiare " + report->string() + " in " + c.percorso.string() + ": " + ec.message();
    else
        c.copiata = true;
    return c;
}

}
