#include "output/AvvisiImpostazioni.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

TEST(AvvisiImpostazioni, EachNoticeIsKeptAndToldOnce)
{
    AvvisiImpostazioni a;
    a.aggiungi("euro.txt", 1, "x");
    a.aggiungi("euro.txt", 1, "x");  // a second reader of the same file
    a.aggiungi("euro.txt", 2, "x");  // another line is another notice
    const auto primi = a.daDire();
    ASSERT_EQ(primi.size(), 2u);
    EXPECT_EQ(primi[1].riga, 2);
    EXPECT_TRUE(a.daDire().empty()) << "told already";

    a.aggiungi("euro.txt", 1, "x");  // read again at the next activation
    EXPECT_TRUE(a.daDire().empty());
    a.aggiungi("FontStp.txt", 1, "y");
    const auto dopo = a.daDire();
    ASSERT_EQ(dopo.size(), 1u);
    EXPECT_EQ(dopo[0].messaggio(), "FontStp.txt, riga 1: y");
    EXPECT_EQ(a.elenco().size(), 3u);
}

TEST(AvvisiImpostazioni, TextsForTheBoxAndForStandardError)
{
    const std::vector<AvvisoImpostazioni> due = {{"SeparatoreXLS.txt", 2, "manca"}, {"SeparatoreXLS.txt", 0, "vuoto"}};
    EXPECT_EQ(AvvisiImpostazioni::Testo(due),
              "Alcune impostazioni non sono state usate:\r\nSeparatoreXLS.txt, riga 2: manca\r\nSeparatoreXLS.txt: vuoto");
    EXPECT_EQ(AvvisiImpostazioni::Righe(due, "ravelt csv: "),
              "ravelt csv: avviso: SeparatoreXLS.txt, riga 2: manca\nravelt csv: avviso: SeparatoreXLS.txt: vuoto\n");
    EXPECT_EQ(AvvisiImpostazioni::Righe({}, "ravelt csv: "), "");
}

}
