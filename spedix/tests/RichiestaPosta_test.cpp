#include "spedix/ErrorePosta.h"
#include "spedix/RichiestaPosta.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

TEST(LeggiRichiestaPosta, SubjectFromTheTitleLineOrTheFirstWords)
{
    const std::string title = "10/12/2026" + std::string(38, ' ') + "Dettaglio incassi dal 01/01/2026 al 31/01/2026" +
                              std::string(37, ' ') + "09:22";
    struct Case {
        const char* name;
        std::string request;
        std::string subject;
    } cases[] = {
        {"cash report: title and hotel", "OGGETTO\r\nHotel Caff\xe8 Rossi\r\n" + title + "\r\n-----\r\n\r\n",
         "Dettaglio incassi dal 01/01/2026 al 31/01/2026 - Hotel Caffè Rossi"},
        {"title without a hotel line", "OGGETTO\r\n\r\n" + title + "\r\n", "Dettaglio incassi dal 01/01/2026 al 31/01/2026"},
        {"subject given in the first line", "OGGETTO: Cassa di gennaio\r\nHotel\r\n" + title + "\r\n", "Cassa di gennaio"},
        {"no title line: first line with words", "OGGETTO\r\n-------\r\n|    |\r\n  Colonne del dettaglio  \r\n",
         "Colonne del dettaglio"},
        {"nothing to name it by", "OGGETTO\r\n----\r\n\r\n", "Stampa della postazione 7"},
        {"a date without a time is no title", "OGGETTO\r\n01/02/2026 incassi\r\n", "01/02/2026 incassi"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeggiRichiestaPosta(c.request, 7).oggetto, c.subject) << c.name;
}

TEST(LeggiRichiestaPosta, TextIsTheRestAsUtf8)
{
    RichiestaPosta r = LeggiRichiestaPosta("OGGETTO\r\n|CITT\xe0|\x80 1,00|\r\n\r\n", 1);
    EXPECT_EQ(r.testo, "|CITTà|€ 1,00|\r\n\r\n");
    EXPECT_THROW(LeggiRichiestaPosta("Hotel\r\n", 1), ErrorePosta);
    EXPECT_THROW(LeggiRichiestaPosta("", 1), ErrorePosta);
}

}
