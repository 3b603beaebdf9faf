#include "platform/ReportFile.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

TEST(reportFileName, FdAndTheWorkstationNumber)
{
    struct Case {
        std::int16_t pcLocal;
        const char* name;
    } cases[] = {{3, "FD3"}, {7, "FD7"}, {0, "FD0"}, {12, "FD12"}, {32767, "FD32767"}};
    for (const auto& c : cases)
        EXPECT_EQ(reportFileName(c.pcLocal), c.name);
}

TEST(findReportFile, ExactNameFirstThenWithoutLetterCase)
{
    ravelt::testing::TempFolder dir;
    EXPECT_FALSE(findReportFile(dir.path(), 7));

    dir.write("fd7", "x");
    dir.write("FD70", "y");
    auto found = findReportFile(dir.path(), 7);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->filename(), "fd7");

    dir.write("FD7", "z");
    EXPECT_EQ(findReportFile(dir.path(), 7)->filename(), "FD7");

    std::filesystem::create_directory(dir / "FD8");
    EXPECT_FALSE(findReportFile(dir.path(), 8)) << "a folder is not a report file";
}

}
