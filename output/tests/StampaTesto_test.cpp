#include "output/StampaTesto.h"
#include "output/tests/OutputFixtures.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

const std::string Seq("\x1b\x0f\0\0\0", 5);

// The pieces an expected byte stream is made of.
std::string margine(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += " \r\n";
    return s;
}
std::string vuote(int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += "\r\n";
    return s;
}
std::string righe(const std::vector<std::string>& all, int first, int last)
{
    std::string s;
    for (int i = first; i <= last; ++i)
        s += all[i - 1] + "\r\n";
    return s;
}

TEST(ComponiStampaTesto, PagesMarginsAndPageEnds)
{
    const auto r130 = ravelt::testing::righeNumerate(130);
    const auto r58 = ravelt::testing::righeNumerate(58);
    const auto r60 = ravelt::testing::righeNumerate(60);
    const auto r10 = ravelt::testing::righeNumerate(10);
    struct Case {
        const char* name;
        const std::vector<std::string>& report;
        int M, P, L;
        bool U;
        std::string expected;
    } cases[] = {
        {"130 lines, P 60, M 2: form feeds after lines 58 and 116 and at the end", r130, 2, 60, 66, false,
         Seq + margine(2) + righe(r130, 1, 58) + "\f" + margine(2) + righe(r130, 59, 116) + "\f" + margine(2) +
             righe(r130, 117, 130) + "\f"},
        {"option U, form 72: pages padded to 72 lines", r130, 2, 60, 72, true,
         Seq + margine(2) + righe(r130, 1, 58) + vuote(12) + margine(2) + righe(r130, 59, 116) + vuote(12) + margine(2) +
             righe(r130, 117, 130) + vuote(72 - 16)},
        {"option U, form equal to the page: pages run on", r130, 2, 60, 60, true,
         Seq + margine(2) + righe(r130, 1, 58) + margine(2) + righe(r130, 59, 116) + margine(2) + righe(r130, 117, 130) +
             vuote(60 - 16)},
        {"option U, form below the page", r130, 2, 60, 50, true,
         Seq + margine(2) + righe(r130, 1, 58) + margine(2) + righe(r130, 59, 116) + margine(2) + righe(r130, 117, 130) +
             vuote(50 - 16)},
        {"margin equal to the page length: no page ends but the last", r130, 60, 60, 66, false,
         Seq + margine(60) + righe(r130, 1, 130) + "\f"},
        {"margin above the page length", r10, 70, 60, 66, false, Seq + margine(70) + righe(r10, 1, 10) + "\f"},
        {"last line fills the page, with a margin: a page of margin lines follows", r58, 2, 60, 66, false,
         Seq + margine(2) + righe(r58, 1, 58) + "\f" + margine(2) + "\f"},
        {"last line fills the page, no margin: no further page", r60, 0, 60, 66, false,
         Seq + righe(r60, 1, 60) + "\f"},
        {"empty report with a margin", {}, 2, 60, 66, false, Seq + margine(2) + "\f"},
        {"empty report without a margin", {}, 0, 60, 66, false, Seq},
    };
    for (const auto& c : cases) {
        ParametriStampaTesto p;
        p.sequenzaControllo = Seq;
        p.margineSuperiore = c.M;
        p.lunghezzaPagina = c.P;
        p.lunghezzaModulo = c.L;
        p.opzioneU = c.U;
        std::string got = ComponiStampaTesto(c.report, p);
        EXPECT_EQ(got.size(), c.expected.size()) << c.name;
        EXPECT_TRUE(got == c.expected) << c.name;
    }
}

TEST(ComponiStampaTesto, PageBreakLinesEndThePageAndOtherFormFeedsAreText)
{
    std::vector<std::string> report{"uno", "\f", "due", "\fnon e' un salto", "tre"};
    ParametriStampaTesto p;
    p.margineSuperiore = 1;
    p.lunghezzaPagina = 60;
    std::string expected = std::string(5, '\0') + margine(1) + "uno\r\n" + "\f" + margine(1) + "due\r\n" +
                           "\fnon e' un salto\r\n" + "tre\r\n" + "\f";
    EXPECT_EQ(ComponiStampaTesto(report, p), expected);

    p.opzioneU = true;
    p.lunghezzaModulo = 5;
    expected = std::string(5, '\0') + margine(1) + "uno\r\n" + vuote(3) + margine(1) + "due\r\n" +
               "\fnon e' un salto\r\n" + "tre\r\n" + vuote(1);
    EXPECT_EQ(ComponiStampaTesto(report, p), expected);
}

TEST(ComponiStampaTesto, LinesAreConvertedUnlessOptionK)
{
    // A framed row and the lower rule of the cash report, and accented capitals.
    const std::string row = "\xb3" "01/03/2024\xb3" "  1.234,56\xb4";
    const std::string rule = "\xc0\xc4\xc4\xc4\xc1\xc4\xc4\xc4\xd9";
    const std::string accents = "CITT\xc0 PER\xd9";
    ParametriStampaTesto p;
    p.margineSuperiore = 0;
    std::string converted = ComponiStampaTesto({row, rule, accents}, p);
    EXPECT_EQ(converted, std::string(5, '\0') + "|01/03/2024|  1.234,56|\r\n" + "\xe0-------\xf9\r\n" + "CITT\xe0 PER\xf9\r\n" +
                             "\f");
    p.opzioneK = true;
    EXPECT_EQ(ComponiStampaTesto({row, rule, accents}, p),
              std::string(5, '\0') + row + "\r\n" + rule + "\r\n" + accents + "\r\n" + "\f");
}

}
