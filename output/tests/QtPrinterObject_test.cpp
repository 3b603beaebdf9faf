#include "output/QtPrinterObject.h"
#include "output/tests/OutputFixtures.h"
#include "output/tests/PdfTools.h"
#include "testing/FileSizeLimit.h"
#include "testing/TempFolder.h"

#include <chrono>
#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::fileNames;

namespace {

TEST(QtPrinterObject, UnfinishedDocumentLeavesThePreviousFile)
{
    ravelt::testing::TempFolder dir;
    dir.write("report.pdf", "precedente");
    {
        auto job = QtPrinterObject::forPdf(dir / "report.pdf", "prova");
        job->print("a meta'", true);
    }
    EXPECT_EQ(dir.read("report.pdf"), "precedente");
    EXPECT_EQ(fileNames(dir.path()), (std::vector<std::string>{"report.pdf"}));
}

// A PDF that the disk does not take whole (here: past the process's file size limit)
// is an error at the end of the document; the previous PDF stays as it was.
TEST(QtPrinterObject, PdfTheDiskRefusesIsAnErrorAndThePreviousFileStays)
{
    ravelt::testing::TempFolder dir;
    dir.write("report.pdf", "precedente");
    auto job = QtPrinterObject::forPdf(dir / "report.pdf", "prova");
    for (const auto& l : ravelt::testing::righeNumerate(130))
        job->print(l, true);
    std::string message;
    {
        ravelt::testing::FileSizeLimit full(4096);
        try {
            job->endDoc();
        } catch (const std::runtime_error& e) {
            message = e.what();
        }
    }
    EXPECT_NE(message.find("report.pdf"), std::string::npos) << message;
    const std::string now = dir.read("report.pdf");
    EXPECT_TRUE(now == "precedente") << "report.pdf now holds " << now.size() << " bytes";
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"report.pdf"});
}

// The temporary file a killed print left beside the PDF goes with the next print.
TEST(QtPrinterObject, TemporaryFileOfAKilledPrintGoesWithTheNextOne)
{
    ravelt::testing::TempFolder dir;
    dir.write(".report.pdf.tmp-k1LLed", "%PDF-1.4 interrotto");
    std::filesystem::last_write_time(dir / ".report.pdf.tmp-k1LLed",
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    auto job = QtPrinterObject::forPdf(dir / "report.pdf", "prova");
    job->print("Riga 001", true);
    job->endDoc();
    EXPECT_EQ(ravelt::testing::pdfPages(dir / "report.pdf"), 1);
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"report.pdf"});
}

TEST(QtPrinterObject, MissingFolderIsAnErrorNamingIt)
{
    ravelt::testing::TempFolder dir;
    try {
        QtPrinterObject::forPdf(dir / "manca" / "report.pdf", "prova");
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("manca"), std::string::npos) << e.what();
    }
}

TEST(QtPrinterObject, LinesBelowThePageEdgeGoOnANewPage)
{
    ravelt::testing::TempFolder dir;
    auto job = QtPrinterObject::forPdf(dir / "lungo.pdf", "prova");
    job->setFontName("Courier New");
    job->setFontSize(12);
    for (const auto& l : ravelt::testing::righeNumerate(100))
        job->print(l, true);
    job->endDoc();
    int pages = ravelt::testing::pdfPages(dir / "lungo.pdf");
    EXPECT_GE(pages, 2) << "100 lines of 12 points do not fit an A4 page";
    auto last = ravelt::testing::pdfPage(dir / "lungo.pdf", pages);
    EXPECT_NE(last.text.find("Riga 100"), std::string::npos);
}

}
