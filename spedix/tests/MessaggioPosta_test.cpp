#include "spedix/MessaggioPosta.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

TEST(QuotedPrintable, KeepsBlanksAndBreaksLongLines)
{
    const std::string long80(80, 'x');
    struct Case {
        const char* name;
        std::string text;
        std::string encoded;
    } cases[] = {
        {"plain ascii stays", "Data Rif.   TOTALE\r\n", "Data Rif.   TOTALE\r\n"},
        {"equals sign", "a=b", "a=3Db"},
        {"blank at the end of a line", "a \r\nb\t", "a=20\r\nb=09"},
        {"utf-8 letters", "CITTà €", "CITT=C3=A0 =E2=82=AC"},
        {"line of 80: soft break after 75", long80, std::string(75, 'x') + "=\r\n" + std::string(5, 'x')},
        {"line of exactly 76 stays whole", std::string(76, 'y'), std::string(76, 'y')},
        {"escape not split by the break", std::string(74, 'z') + "à",
         std::string(74, 'z') + "=\r\n=C3=A0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(QuotedPrintable(c.text), c.encoded) << c.name;
}

TEST(Base64, PaddingAndLines)
{
    EXPECT_EQ(Base64("", false), "");
    EXPECT_EQ(Base64("f", false), "Zg==");
    EXPECT_EQ(Base64("fo", false), "Zm8=");
    EXPECT_EQ(Base64("foo", false), "Zm9v");
    std::string out = Base64(std::string(60, 'a'));
    EXPECT_EQ(out.find("\r\n"), 76u);
    EXPECT_EQ(out.substr(out.size() - 2), "\r\n");
}

TEST(IntestazioneCodificata, AsciiAsIsOtherTextInEncodedWordsOfWholeCharacters)
{
    EXPECT_EQ(IntestazioneCodificata("Dettaglio incassi"), "Dettaglio incassi");
    EXPECT_EQ(IntestazioneCodificata("Caffè"), "=?UTF-8?B?Q2FmZsOo?=");
    std::string many;
    for (int i = 0; i < 30; ++i)
        many += "è";  // 60 bytes: two words
    std::string h = IntestazioneCodificata(many);
    size_t fold = h.find("\r\n ");
    ASSERT_NE(fold, std::string::npos);
    EXPECT_EQ(h.find("\r\n ", fold + 1), std::string::npos);
    EXPECT_LE(fold, 75u);
}

// The report's text goes once, as the body: no attachment repeats it.
TEST(ComponiMessaggio, HeadersThenTheTextOnce)
{
    ImpostazioniPosta s;
    s.mittente = "Cassa Caffè <cassa@hotel.example>";
    s.destinatari = {"a@x.example", "Conti <b@y.example>"};
    DatiMessaggio d{"Sat, 31 Jan 2026 23:59:00 +0100", "<1@h>"};
    std::string m = ComponiMessaggio(s, "Incassi", "riga\r\n", d);
    std::string expected = "From: =?UTF-8?B?Q2Fzc2EgQ2FmZsOo?= <cassa@hotel.example>\r\n"
                           "To: a@x.example,\r\n Conti <b@y.example>\r\n"
                           "Subject: Incassi\r\n"
                           "Date: Sat, 31 Jan 2026 23:59:00 +0100\r\n"
                           "Message-ID: <1@h>\r\n"
                           "MIME-Version: 1.0\r\n"
                           "Content-Type: text/plain; charset=utf-8\r\n"
                           "Content-Transfer-Encoding: quoted-printable\r\n"
                           "\r\n"
                           "riga\r\n";
    EXPECT_EQ(m, expected);
}

}
