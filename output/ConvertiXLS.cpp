#include "output/ConvertiXLS.h"

#include "output/FileImpostazioni.h"
#include "output/RigheReport.h"
#include "platform/AtomicFile.h"

#include <stdexcept>

namespace ravelt {

namespace {

bool digitAt(std::string_view s, long i)
{
    return i >= 0 && i < static_cast<long>(s.size()) && s[i] >= '0' && s[i] <= '9';
}

bool frame(unsigned char b)
{
    switch (b) {
    case 217: case 197: case 194: case 195: case 192: case 193: case 179: case 191: case 218:
        return true;
    default:
        return false;
    }
}

}

SeparatoreXLS LeggiSeparatoreXLS(const std::filesystem::path& folder)
{
    SeparatoreXLS s;
    auto lines = LeggiRigheImpostazioni(folder / "SeparatoreXLS.txt");
    if (!lines)
        return s;
    if (lines->size() > 0)
        s.separatore = (*lines)[0];
    if (lines->size() > 1)
        s.decimale = (*lines)[1];
    if (lines->size() > 2)
        s.valuta = (*lines)[2];
    return s;
}

std::string RigaCsv(std::string_view riga, const SeparatoreXLS& s)
{
    std::string row;
    size_t field = 0;  // where the current field starts in the row
    auto separator = [&] {
        row += s.separatore;
        field = row.size();
    };
    const long n = static_cast<long>(riga.size());
    for (long i = 0; i < n; ++i) {
        unsigned char b = static_cast<unsigned char>(riga[i]);
        bool amountAround = digitAt(riga, i - 1) && digitAt(riga, i + 1) && digitAt(riga, i + 2);
        if (frame(b) || b == '|' || b == '+') {
            separator();
        } else if (b == 180) {
            if (i == n - 1)
                separator();
            else
                row += ' ';
        } else if (b == 196) {
            row += ' ';
        } else if (b == ',') {
            if (!amountAround) {
                row += ' ';
                continue;
            }
            char mark = s.valuta.empty() ? ' ' : s.valuta[0];
            size_t blank = row.rfind(' ');
            if (blank != std::string::npos && blank >= field)
                row[blank] = mark;
            else if (!s.valuta.empty())
                row.insert(field, 1, mark);
            row += s.decimale;
        } else if (b == '.') {
            if (!amountAround)
                row += '.';
        } else if (b == '-') {
            row += digitAt(riga, i + 1) ? '-' : ' ';
        } else {
            row += static_cast<char>(b);
        }
    }
    return row;
}

void ConvertiXLS(const std::filesystem::path& report, const std::filesystem::path& csv, const SeparatoreXLS& s)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(report, ec))
        throw std::runtime_error("il file della stampa " + report.string() + " non esiste");
    std::string out;
    for (const auto& line : DividiRighe(readFileBytes(report))) {
        out += RigaCsv(line, s);
        out += "\r\n";
    }
    writeFileAtomically(csv, out);
}

std::string NomeFileCsv(std::int16_t pcLocal)
{
    return "fd" + std::to_string(pcLocal) + ".csv";
}

}
