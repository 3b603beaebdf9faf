#include "output/LettoreReport.h"
#include "output/tests/OutputFixtures.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

int lineCount(const std::string& text)
{
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

TEST(LettoreReport, ChunksStopAtTheLineThatReachesTheLimit)
{
    ravelt::testing::TempFolder dir;
    dir.write("FD3", ravelt::testing::comeFile(ravelt::testing::righeNumerate(300, 100)));
    LettoreReport r(dir.path(), 3);
    ASSERT_TRUE(r.apri());

    struct Step {
        long limit;
        int lines;
        long count;
        bool more;
    } steps[] = {
        {LettoreReport::PrimoBlocco, 200, 20000, true},
        {LettoreReport::BloccoSuccessivo, 100, 10000, false},
        {LettoreReport::BloccoSuccessivo, 0, 0, false},
    };
    for (const auto& s : steps) {
        LettoreReport::Blocco b = r.LeggiBlocco(s.limit);
        EXPECT_EQ(lineCount(b.testo), s.lines) << s.limit;
        EXPECT_EQ(b.conteggio, s.count);
        EXPECT_EQ(b.altro, s.more);
    }
    ASSERT_TRUE(r.apri()) << "opening again starts from the top";
    LettoreReport::Blocco b = r.LeggiBlocco(LettoreReport::BloccoSuccessivo);
    EXPECT_EQ(lineCount(b.testo), 260);
    EXPECT_EQ(b.testo.substr(0, 9), "Riga 001 ");
}

TEST(LettoreReport, LineCrossingTheLimitIsShownWhole)
{
    ravelt::testing::TempFolder dir;
    dir.write("FD1", "12345\r\n1234567890\r\nabc\r\n");
    LettoreReport r(dir.path(), 1);
    ASSERT_TRUE(r.apri());
    LettoreReport::Blocco b = r.LeggiBlocco(8);
    EXPECT_EQ(b.testo, "12345\n1234567890\n");
    EXPECT_EQ(b.conteggio, 15);
    EXPECT_TRUE(b.altro);
}

TEST(LettoreReport, ShownTextIsConvertedAndPageBreaksStay)
{
    ravelt::testing::TempFolder dir;
    dir.write("fd2", "\xda\xc4\xc2\xc4\xbf\r\n\xb3" "CITT\xc0\xb4\r\n\f\r\n\xc0\xc4\xc1\xc4\xd9");
    LettoreReport r(dir.path(), 2);
    ASSERT_TRUE(r.apri()) << "found without regard to letter case";
    EXPECT_EQ(r.LeggiBlocco(LettoreReport::PrimoBlocco).testo, "-----\n|CITTà|\n\f\nà---ù\n");
}

TEST(LettoreReport, MissingOrClosedFile)
{
    ravelt::testing::TempFolder dir;
    LettoreReport r(dir.path(), 4);
    EXPECT_FALSE(r.apri());
    EXPECT_FALSE(r.aperto());
    EXPECT_THROW(r.LeggiBlocco(100), ReportNonAperto);
    EXPECT_EQ(r.percorso(), dir / "FD4");
}

}
