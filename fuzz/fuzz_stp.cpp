// A print definition (.stp) as the table report engine and the print screen read it.
//
// The file is supplied with the suite, so any bytes may stand in it. Both readers must
// come back with a definition (or their own error), with at most 50 column records and
// widths within 0-32767. Where the format leaves no doubt the readings must agree: a
// line with exactly nine commas gives its ten fields in order to both readers, and
// splitting such a line and joining the fields with commas gives the line back.
#include "fuzz/FuzzCheck.h"
#include "platform/Cp1252.h"
#include "platform/TextLines.h"
#include "tableprint/DefinizioneStampa.h"
#include "tableprint/ErroreStampa.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

using namespace ravelt;

namespace {

void checkRecord(const ColonnaStampa& r)
{
    fuzz::require(r.larghezza >= 0, "a width is never negative");
    for (int n = 1; n <= 10; ++n)
        fuzz::require(fuzz::isUtf8(r.campo(n)), "fields are UTF-8");
}

// The nine-comma rule on one line of the file, split as the engine splits it.
void checkNineCommas(const std::string& line)
{
    if (std::count(line.begin(), line.end(), ',') != 9)
        return;
    const ColonnaStampa r = SpezzaRigaDefinizione(line);
    std::string joined = r.campo(1);
    for (int n = 2; n <= 10; ++n)
        joined += "," + r.campo(n);
    fuzz::require(joined == line, "the ten fields of a nine-comma line join back into the line");
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto& folder = fuzz::scratch();
    folder.write("D.stp", bytes);

    DefinizioneStampa d;
    ColonnaStampa testata;
    try {
        d = LeggiDefinizioneStampa(folder / "D.stp");
        testata = LeggiTestataStampa(folder / "D.stp");
    } catch (const ErroreStampa& e) {
        fuzz::require(false, std::string("a definition that exists is read: ") + e.what());
    }

    const std::vector<std::string> lines = splitLines(bytes);
    const int columns = d.numeroColonne();
    fuzz::require(columns >= 0 && columns <= DefinizioneStampa::MassimoColonne, "at most 50 columns");
    fuzz::require(d.larghezzaTabella >= 1, "the table is at least one character wide");
    const std::size_t records = lines.empty() ? 0 : lines.size() - 1;
    fuzz::require(d.righeIgnorate ==
                      static_cast<int>(records > DefinizioneStampa::MassimoColonne ? records - DefinizioneStampa::MassimoColonne : 0),
                  "only the records after the 50th are left out");
    checkRecord(d.testata);
    checkRecord(testata);
    for (const auto& c : d.colonne)
        checkRecord(c);

    for (const std::string& line : lines)
        checkNineCommas(fromCp1252(line));
    if (!lines.empty() && std::count(lines[0].begin(), lines[0].end(), ',') == 9) {
        for (int n = 1; n <= 10; ++n)
            fuzz::require(testata.campo(n) == d.testata.campo(n), "both readers read a nine-comma header alike");
    }
    return 0;
}
