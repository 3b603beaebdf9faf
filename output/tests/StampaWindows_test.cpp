#include "output/StampaWindows.h"
#include "output/tests/OutputFixtures.h"
#include "platform/MemoryPrinter.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

class StampaWindowsTest : public ::testing::Test {
protected:
    PrintedDocument stampa(const std::vector<std::string>& righe, ParametriStampaWindows p)
    {
        auto doc = std::make_shared<PrintedDocument>();
        MemoryPrinterObject printer(doc);
        StampaSuStampanteWindows(righe, p, printer);
        return *doc;
    }
    static ParametriStampaWindows parametri(int M, int P)
    {
        ParametriStampaWindows p;
        p.dimensioneTesta = 8;
        p.dimensione = 12;
        p.nomeFont = "Courier New";
        p.margineSuperiore = M;
        p.lunghezzaPagina = P;
        return p;
    }
    // The page's head: the blank in Times New Roman at the compressed size, then M
    // margin blanks in the profile's font; returns the lines after it.
    static std::vector<std::string> dopoTesta(const PrintedPage& page, int M, const char* what)
    {
        std::vector<std::string> rest;
        EXPECT_GE(page.lines.size(), static_cast<size_t>(1 + M)) << what;
        if (page.lines.size() < static_cast<size_t>(1 + M))
            return rest;
        const PrintedFragment& head = page.lines[0].fragments.at(0);
        EXPECT_EQ(head.text, " ") << what;
        EXPECT_EQ(head.fontName, "Times New Roman") << what;
        EXPECT_EQ(head.fontSize, 8) << what;
        for (int k = 1; k <= M; ++k) {
            EXPECT_EQ(page.lines[k].text(), " ") << what;
            EXPECT_EQ(page.lines[k].fragments[0].fontName, "Courier New") << what;
        }
        for (size_t k = 1 + M; k < page.lines.size(); ++k)
            rest.push_back(page.lines[k].text());
        return rest;
    }
    static std::vector<std::string> slice(const std::vector<std::string>& all, int first, int last)
    {
        return std::vector<std::string>(all.begin() + first - 1, all.begin() + last);
    }
};

TEST_F(StampaWindowsTest, PagesOf130LinesWithPageLength60AndMargin2)
{
    auto r = ravelt::testing::righeNumerate(130);
    PrintedDocument d = stampa(r, parametri(2, 60));
    ASSERT_EQ(d.pages.size(), 3u);
    EXPECT_EQ(dopoTesta(d.pages[0], 2, "page 1"), slice(r, 1, 58));
    EXPECT_EQ(dopoTesta(d.pages[1], 2, "page 2"), slice(r, 59, 116));
    EXPECT_EQ(dopoTesta(d.pages[2], 2, "page 3"), slice(r, 117, 130));
    EXPECT_TRUE(d.ended);
    EXPECT_EQ(d.duplex, 1);
    // The first page's margin is at the compressed size, the later pages' at the text size.
    EXPECT_EQ(d.pages[0].lines[1].fragments[0].fontSize, 8);
    EXPECT_EQ(d.pages[1].lines[1].fragments[0].fontSize, 12);
    EXPECT_EQ(d.pages[0].lines[3].fragments[0].fontSize, 12);
}

TEST_F(StampaWindowsTest, LastLineFillingThePageLeavesAPageWithOnlyItsHead)
{
    auto r = ravelt::testing::righeNumerate(58);
    PrintedDocument d = stampa(r, parametri(2, 60));
    ASSERT_EQ(d.pages.size(), 2u);
    EXPECT_EQ(dopoTesta(d.pages[0], 2, "page 1"), r);
    EXPECT_TRUE(dopoTesta(d.pages[1], 2, "page 2").empty());
}

TEST_F(StampaWindowsTest, LandscapeOnEveryPageThenBackToPortraitAndDuplex)
{
    auto p = parametri(2, 60);
    p.orizzontale = true;
    p.fronteRetro = true;
    PrintedDocument d = stampa(ravelt::testing::righeNumerate(130), p);
    ASSERT_EQ(d.pages.size(), 3u);
    for (const auto& page : d.pages)
        EXPECT_EQ(page.orientation, PrinterObject::Landscape);
    EXPECT_EQ(d.orientationAfterEnd, PrinterObject::Portrait);
    EXPECT_EQ(d.duplex, 2);
}

TEST_F(StampaWindowsTest, PageBreakLinesEndThePageOnceAndAreNotCounted)
{
    struct Case {
        const char* name;
        std::vector<std::string> report;
        int P;
        std::vector<std::vector<std::string>> pages;  // report lines of each page after its head
    } cases[] = {
        {"mid-page break: next page starts with the margin only", {"a", "\f", "b"}, 60, {{"a"}, {"b"}}},
        {"break at the start of the report is no page end", {"\f", "a"}, 60, {{"a"}}},
        {"break right after a full page makes no empty page", {"a", "b", "\f", "c"}, 4, {{"a", "b"}, {"c"}}},
        {"two breaks in a row end one page", {"a", "\f", "\f", "b"}, 60, {{"a"}, {"b"}}},
        {"a form feed with text is a line", {"\fx"}, 60, {{"\fx"}}},
    };
    for (const auto& c : cases) {
        PrintedDocument d = stampa(c.report, parametri(2, c.P));
        ASSERT_EQ(d.pages.size(), c.pages.size()) << c.name;
        EXPECT_EQ(dopoTesta(d.pages[0], 2, c.name), c.pages[0]) << c.name;
        for (size_t k = 1; k < c.pages.size(); ++k) {
            const auto& lines = d.pages[k].lines;
            std::vector<std::string> texts;
            for (const auto& l : lines)
                texts.push_back(l.text());
            // A page begun by a full page has its head; one begun by a break has the margin only.
            bool head = !lines.empty() && lines[0].fragments[0].fontName == "Times New Roman";
            size_t skip = head ? 3 : 2;
            ASSERT_GE(texts.size(), skip) << c.name;
            EXPECT_EQ(std::vector<std::string>(texts.begin() + skip, texts.end()), c.pages[k]) << c.name;
        }
    }
}

TEST_F(StampaWindowsTest, LinesGoThroughConverti2UnlessOptionK)
{
    const std::string row = "\xb3" "CITT\xc0\xb3" "1,00\xb4";
    PrintedDocument d = stampa({row}, parametri(0, 60));
    ASSERT_EQ(d.pages.size(), 1u);
    EXPECT_EQ(d.pages[0].lines[1].text(), "|CITTà|1,00'");
    auto k = parametri(0, 60);
    k.opzioneK = true;
    d = stampa({row}, k);
    EXPECT_EQ(d.pages[0].lines[1].text(), "³CITTÀ³1,00´") << "the report's own characters, unconverted";
}

TEST(StampaLaser, BoldSwitchPrintsPiecesAndCarriesTheFontOver)
{
    auto doc = std::make_shared<PrintedDocument>();
    MemoryPrinterObject printer(doc);
    printer.setFontName("Courier New");
    printer.setFontSize(10);
    StampaLaser("ab\xe7" "GRASSETTO\xe7" "cd", printer);
    StampaLaser("x\xe7y", printer);  // an odd count leaves bold on, 0.4 smaller
    StampaLaser("\xe7z", printer);   // bold starts off again at the line: smaller still
    StampaLaser("\xe7w", printer);
    ASSERT_EQ(doc->pages.size(), 1u);
    const auto& lines = doc->pages[0].lines;
    ASSERT_EQ(lines.size(), 4u);

    struct Piece {
        std::string text;
        double size;
        bool bold;
    };
    std::vector<std::vector<Piece>> expected = {
        {{"ab", 10, false}, {"GRASSETTO", 9.6, true}, {"cd", 10, false}},
        {{"x", 10, false}, {"y", 9.6, true}},
        {{"", 9.6, true}, {"z", 9.2, true}},
        {{"", 9.2, true}, {"w", 8.8, true}},
    };
    for (size_t l = 0; l < expected.size(); ++l) {
        ASSERT_EQ(lines[l].fragments.size(), expected[l].size()) << "line " << l;
        for (size_t f = 0; f < expected[l].size(); ++f) {
            EXPECT_EQ(lines[l].fragments[f].text, expected[l][f].text) << l << "/" << f;
            EXPECT_NEAR(lines[l].fragments[f].fontSize, expected[l][f].size, 1e-9) << l << "/" << f;
            EXPECT_EQ(lines[l].fragments[f].bold, expected[l][f].bold) << l << "/" << f;
        }
    }
}

}
