// The CSV export of a report file: every line through RigaCsv under several settings,
// and the whole file through ConvertiXLS.
//
// The report file may have been edited and saved in the preview, so any bytes may
// stand in it. Every line gives one row without line ends; a line holding none of the
// bytes the export acts on is copied unchanged; the CSV file has one CR LF row per
// line of the report.
#include "fuzz/FuzzCheck.h"
#include "output/ConvertiXLS.h"
#include "output/RigheReport.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace ravelt;

namespace {

// The defaults, the demo's semicolon, the Italian decimal comma without a currency
// mark, a separator of several bytes and empty settings.
const SeparatoreXLS impostazioni[] = {
    {},
    {";", ".", "\x80"},
    {";", ",", ""},
    {"\t|\t", ".", "EUR"},
    {"", "", ""},
};

bool untouched(std::string_view line)
{
    return std::none_of(line.begin(), line.end(), [](char ch) {
        const unsigned char b = static_cast<unsigned char>(ch);
        return b >= 179 || b == '|' || b == '+' || b == ',' || b == '.' || b == '-';
    });
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> lines = DividiRighe(bytes);
    for (const std::string& line : lines) {
        for (const SeparatoreXLS& s : impostazioni) {
            const std::string row = RigaCsv(line, s);
            fuzz::require(row.find('\n') == std::string::npos, "a row holds no line feed");
            if (untouched(line))
                fuzz::require(row == line, "a line without frames, amounts or dashes is copied");
        }
    }

    const auto& folder = fuzz::scratch();
    folder.write("FD7", bytes);
    ConvertiXLS(folder / "FD7", folder / "fd7.csv", impostazioni[0]);
    const std::string csv = readFileBytes(folder / "fd7.csv");
    fuzz::require(static_cast<std::size_t>(std::count(csv.begin(), csv.end(), '\n')) == lines.size(),
                  "one CSV row for every line of the report");
    fuzz::require(csv.empty() || csv.ends_with("\r\n"), "every row ends with CR LF");
    return 0;
}
