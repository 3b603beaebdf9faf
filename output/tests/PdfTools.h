#pragma once
#include <filesystem>
#include <string>

namespace ravelt::testing {

// What poppler's tools read from a PDF file: the page count, the size of a page in
// points, and the text of one page. A missing tool fails the test that calls it.
struct PdfPage {
    double width = 0, height = 0;
    std::string text;
};
int pdfPages(const std::filesystem::path& pdf);
PdfPage pdfPage(const std::filesystem::path& pdf, int page);

}
