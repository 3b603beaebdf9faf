#include "output/tests/PdfTools.h"
#include "output/tests/CupsServer.h"

#include <cstdio>
#include <stdexcept>
#include <unistd.h>

namespace ravelt::testing {

namespace {

void require(const char* tool)
{
    if (::access(tool, X_OK) != 0)
        throw std::runtime_error(std::string(tool) + " is not installed (scripts/install-deps.sh installs poppler-utils)");
}

std::string field(const std::string& info, const std::string& name)
{
    size_t at = info.find(name);
    if (at == std::string::npos)
        return {};
    size_t end = info.find('\n', at);
    return info.substr(at + name.size(), end - at - name.size());
}

}

int pdfPages(const std::filesystem::path& pdf)
{
    require("/usr/bin/pdfinfo");
    std::string info = runProgram("/usr/bin/pdfinfo", {pdf.string()});
    return std::atoi(field(info, "Pages:").c_str());
}

PdfPage pdfPage(const std::filesystem::path& pdf, int page)
{
    require("/usr/bin/pdfinfo");
    require("/usr/bin/pdftotext");
    PdfPage p;
    std::string n = std::to_string(page);
    std::string info = runProgram("/usr/bin/pdfinfo", {"-f", n, "-l", n, pdf.string()});
    size_t start = 0;
    while (start < info.size()) {
        size_t end = info.find('\n', start);
        if (end == std::string::npos)
            end = info.size();
        int number = 0;
        double w = 0, h = 0;
        if (std::sscanf(info.substr(start, end - start).c_str(), "Page %d size: %lf x %lf", &number, &w, &h) == 3 &&
            number == page) {
            p.width = w;
            p.height = h;
        }
        start = end + 1;
    }
    p.text = runProgram("/usr/bin/pdftotext", {"-f", n, "-l", n, "-layout", pdf.string(), "-"});
    return p;
}

}
