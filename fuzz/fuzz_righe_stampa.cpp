// The print engine's line conversion: the report file's lines through TogliAccenti and
// Converti2, to a text device (ComponiStampaTesto) and to a printer of the system
// (StampaSuStampanteWindows, on the in-memory printer).
//
// A converted line keeps its length and holds no frame byte any more. A printer
// receives every text line of the report, in order, as the line converted without its
// bold switches, and between them only the blank lines of page heads and margins.
#include "fuzz/FuzzCheck.h"
#include "output/RigheReport.h"
#include "output/StampaTesto.h"
#include "output/StampaWindows.h"
#include "output/TogliAccenti.h"
#include "platform/Cp1252.h"
#include "platform/MemoryPrinter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>

using namespace ravelt;

namespace {

// The frame bytes the conversions replace (the accented capitals among them become
// lower-case letters, outside this set).
bool frameByte(unsigned char b)
{
    switch (b) {
    case 179: case 180: case 183: case 186: case 187: case 188: case 191: case 192: case 193: case 194:
    case 195: case 196: case 197: case 200: case 201: case 202: case 203: case 204: case 206: case 210:
    case 217: case 218:
        return true;
    default:
        return false;
    }
}

void checkConverted(const std::string& line, const std::string& converted)
{
    fuzz::require(converted.size() == line.size(), "a converted line keeps its length");
    fuzz::require(std::none_of(converted.begin(), converted.end(), [](char c) { return frameByte(static_cast<unsigned char>(c)); }),
                  "a converted line holds no frame byte");
}

// Text-device profiles as the printer settings give them: a plain one, one with a top
// margin and short pages padded under U, one printing unconverted under K.
ParametriStampaTesto profiloTesto(int n)
{
    ParametriStampaTesto p;
    if (n == 1) {
        p.sequenzaControllo = std::string("\x1b\x0f\0\0\0", 5);
        p.margineSuperiore = 2;
        p.lunghezzaPagina = 5;
        p.lunghezzaModulo = 8;
        p.opzioneU = true;
    } else if (n == 2) {
        p.lunghezzaPagina = 1;
        p.lunghezzaModulo = 1;
        p.opzioneK = true;
    }
    return p;
}

void printOnMemoryPrinter(const std::vector<std::string>& lines, bool opzioneK)
{
    ParametriStampaWindows p;
    p.margineSuperiore = 2;
    p.lunghezzaPagina = 7;
    p.orizzontale = true;
    p.opzioneK = opzioneK;
    auto doc = std::make_shared<PrintedDocument>();
    {
        MemoryPrinterObject printer(doc);
        StampaSuStampanteWindows(lines, p, printer);
    }
    fuzz::require(doc->ended, "the document is ended");

    std::vector<std::string> printed;
    for (const auto& page : doc->pages)
        for (const auto& l : page.lines)
            printed.push_back(l.text());
    std::size_t at = 0;
    for (const std::string& line : lines) {
        std::string shown = opzioneK ? line : Converti2(line);
        if (RigaSaltoPagina(shown))
            continue;
        shown.erase(std::remove(shown.begin(), shown.end(), '\xe7'), shown.end());
        const std::string text = fromCp1252(shown);
        while (at < printed.size() && printed[at] != text) {
            fuzz::require(printed[at] == " ", "only blank head and margin lines come between the report's lines");
            ++at;
        }
        fuzz::require(at < printed.size(), "every text line of the report is printed, in order");
        ++at;
    }
    for (; at < printed.size(); ++at)
        fuzz::require(printed[at] == " ", "only blank head and margin lines follow the last line");
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::string> lines = DividiRighe(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const std::string& line : lines) {
        checkConverted(line, TogliAccenti(line));
        checkConverted(line, Converti2(line));
    }
    for (int n = 0; n < 3; ++n)
        ComponiStampaTesto(lines, profiloTesto(n));
    printOnMemoryPrinter(lines, false);
    printOnMemoryPrinter(lines, true);
    return 0;
}
