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

namespace {

TEST(ParametroNome, QuotedWhenPlainAsciiElseRfc2231)
{
    struct Case {
        const char* name;
        std::string value;
        std::string written;
    } cases[] = {
        {"plain name", "report.pdf", "filename=\"report.pdf\""},
        {"blanks fit a quoted string", "Incassi gennaio.pdf", "filename=\"Incassi gennaio.pdf\""},
        {"accented letter", "città.csv", "filename*=UTF-8''citt%C3%A0.csv"},
        {"quote", "il \"vero\".pdf", "filename*=UTF-8''il%20%22vero%22.pdf"},
        {"backslash", "a\\b.pdf", "filename*=UTF-8''a%5Cb.pdf"},
        {"control character", "a\tb", "filename*=UTF-8''a%09b"},
        {"encoded name keeps the marks RFC 2231 allows", "è!#$&+-.^_`|~", "filename*=UTF-8''%C3%A8!#$&+-.^_`|~"},
        {"marks that must be encoded", "x*'%;=()é", "filename*=UTF-8''x%2A%27%25%3B%3D%28%29%C3%A9"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParametroNome("filename", c.value), c.written) << c.name;
}

// With files the message is multipart/mixed: the text part as a plain message's body,
// then each file in base64, the last CR LF of each part belonging to the boundary
// after it.
TEST(ComponiMessaggio, AttachmentsAfterTheTextInOneMultipart)
{
    ImpostazioniPosta s;
    s.mittente = "Cassa <cassa@hotel.example>";
    s.destinatari = {"a@x.example"};
    DatiMessaggio d{"Sat, 31 Jan 2026 23:59:00 +0100", "<1@h>"};
    std::vector<Allegato> allegati = {
        {"report.pdf", "application/pdf", std::string("%PDF\x00\xff", 6)},
        {"Incassi città.csv", "text/csv", "a;b\r\n"},
        {"vuoto.bin", "application/octet-stream", ""},
    };
    std::string m = ComponiMessaggio(s, "Incassi", "riga\r\n", d, allegati);
    std::string expected = "From: Cassa <cassa@hotel.example>\r\n"
                           "To: a@x.example\r\n"
                           "Subject: Incassi\r\n"
                           "Date: Sat, 31 Jan 2026 23:59:00 +0100\r\n"
                           "Message-ID: <1@h>\r\n"
                           "MIME-Version: 1.0\r\n"
                           "Content-Type: multipart/mixed;\r\n boundary=\"=_spedix-parte_=\"\r\n"
                           "\r\n"
                           "--=_spedix-parte_=\r\n"
                           "Content-Type: text/plain; charset=utf-8\r\n"
                           "Content-Transfer-Encoding: quoted-printable\r\n"
                           "\r\n"
                           "riga\r\n"
                           "\r\n"
                           "--=_spedix-parte_=\r\n"
                           "Content-Type: application/pdf;\r\n name=\"report.pdf\"\r\n"
                           "Content-Disposition: attachment;\r\n filename=\"report.pdf\"\r\n"
                           "Content-Transfer-Encoding: base64\r\n"
                           "\r\n"
                           "JVBERgD/\r\n"
                           "--=_spedix-parte_=\r\n"
                           "Content-Type: text/csv;\r\n name*=UTF-8''Incassi%20citt%C3%A0.csv\r\n"
                           "Content-Disposition: attachment;\r\n filename*=UTF-8''Incassi%20citt%C3%A0.csv\r\n"
                           "Content-Transfer-Encoding: base64\r\n"
                           "\r\n"
                           "YTtiDQo=\r\n"
                           "--=_spedix-parte_=\r\n"
                           "Content-Type: application/octet-stream;\r\n name=\"vuoto.bin\"\r\n"
                           "Content-Disposition: attachment;\r\n filename=\"vuoto.bin\"\r\n"
                           "Content-Transfer-Encoding: base64\r\n"
                           "\r\n"
                           "\r\n"
                           "--=_spedix-parte_=--\r\n";
    EXPECT_EQ(m, expected);
}

// The boundary cannot occur inside a part: a text that holds it, and one that ends
// without a line end, are encoded so that no line of the message starts with it
// except the boundary lines themselves.
TEST(ComponiMessaggio, ATextHoldingTheBoundaryCannotCutThePart)
{
    ImpostazioniPosta s;
    s.mittente = "cassa@hotel.example";
    s.destinatari = {"a@x.example"};
    const std::string boundary = std::string("--") + SeparatoreParti;
    std::string m = ComponiMessaggio(s, "x", boundary + "\r\n" + boundary + "--", {"d", "<i>"},
                                     {{"a.pdf", "application/pdf", boundary + "\r\n"}});
    size_t lines = 0;
    for (size_t at = m.find("\r\n" + boundary); at != std::string::npos; at = m.find("\r\n" + boundary, at + 1))
        ++lines;
    EXPECT_EQ(lines, 3u) << "two parts opened, one closing line:\n" << m;
}

}
