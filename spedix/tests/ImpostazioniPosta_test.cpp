#include "spedix/ErrorePosta.h"
#include "spedix/ImpostazioniPosta.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace ravelt;

namespace {

TEST(LeggiImpostazioniPosta, KeysValuesAndDefaults)
{
    ravelt::testing::TempFolder dir;
    dir.write("Spedix.ini", "# posta della cassa\r\n"
                            "\r\n"
                            "server = smtp.hotel.example \r\n"
                            "PORTA=587\r\n"
                            "starttls=si\r\n"
                            "; login\r\n"
                            "utente=cassa\r\n"
                            "mittente=Cassa Hotel <cassa@hotel.example>\r\n"
                            "destinatari=direzione@hotel.example; Contabile <conti@studio.example>,\r\n");
    ImpostazioniPosta s = LeggiImpostazioniPosta(dir / "Spedix.ini");
    EXPECT_EQ(s.server, "smtp.hotel.example");
    EXPECT_EQ(s.porta, 587);
    EXPECT_TRUE(s.starttls);
    EXPECT_EQ(s.utente, "cassa");
    EXPECT_EQ(s.password, "");
    EXPECT_EQ(s.mittente, "Cassa Hotel <cassa@hotel.example>");
    EXPECT_EQ(s.destinatari, (std::vector<std::string>{"direzione@hotel.example", "Contabile <conti@studio.example>"}));

    dir.write("Spedix.ini", "server=127.0.0.1\nmittente=a@b.example\ndestinatari=c@d.example\n");
    s = LeggiImpostazioniPosta(dir / "Spedix.ini");
    EXPECT_EQ(s.porta, 25);
    EXPECT_FALSE(s.starttls);
}

TEST(LeggiImpostazioniPosta, MistakesAreNamedWithTheirLine)
{
    ravelt::testing::TempFolder dir;
    const std::string ok = "server=h\nmittente=a@b.example\ndestinatari=c@d.example\n";
    struct Case {
        const char* name;
        std::string file;
        const char* said;
    } cases[] = {
        {"no server", "mittente=a@b.example\ndestinatari=c@d.example\n", "\"server\""},
        {"no recipients", "server=h\nmittente=a@b.example\ndestinatari= , ;\n", "\"destinatari\""},
        {"port not a number", ok + "porta=25a\n", "riga 4"},
        {"port out of range", ok + "porta=70000\n", "70000"},
        {"port beyond any integer", ok + "porta=99999999999999999999\n", "99999999999999999999"},
        {"port with no digits", ok + "porta=venticinque\n", "venticinque"},
        {"unknown key", ok + "cc=x@y.example\n", "\"cc\""},
        {"line without =", "server\n", "riga 1"},
        {"sender without @", "server=h\nmittente=cassa\ndestinatari=c@d.example\n", "\"cassa\""},
        {"bad recipient", "server=h\nmittente=a@b.example\ndestinatari=c@d.example, e f@g\n", "\"e f@g\""},
        {"starttls neither yes nor no", ok + "starttls=forse\n", "forse"},
    };
    for (const auto& c : cases) {
        dir.write("Spedix.ini", c.file);
        ::chmod((dir / "Spedix.ini").c_str(), 0600);
        try {
            LeggiImpostazioniPosta(dir / "Spedix.ini");
            ADD_FAILURE() << c.name << ": accepted";
        } catch (const ErrorePosta& e) {
            EXPECT_NE(std::string(e.what()).find(c.said), std::string::npos) << c.name << ": " << e.what();
        }
    }
    EXPECT_THROW(LeggiImpostazioniPosta(dir / "Manca.ini"), ErrorePosta);
}

TEST(LeggiImpostazioniPosta, PasswordOnlyInAFileOnlyItsOwnerReads)
{
    ravelt::testing::TempFolder dir;
    dir.write("Spedix.ini", "server=h\nmittente=a@b.example\ndestinatari=c@d.example\nutente=u\npassword=segreta99\n");
    for (mode_t mode : {0644, 0640, 0604}) {
        ::chmod((dir / "Spedix.ini").c_str(), mode);
        try {
            LeggiImpostazioniPosta(dir / "Spedix.ini");
            ADD_FAILURE() << std::oct << mode << " accepted";
        } catch (const ErrorePosta& e) {
            std::string what = e.what();
            EXPECT_NE(what.find("chmod 600"), std::string::npos) << what;
            EXPECT_EQ(what.find("segreta99"), std::string::npos) << "the password is never shown";
        }
    }
    ::chmod((dir / "Spedix.ini").c_str(), 0600);
    EXPECT_EQ(LeggiImpostazioniPosta(dir / "Spedix.ini").password, "segreta99");
    dir.write("Spedix.ini", "server=h\nmittente=a@b.example\ndestinatari=c@d.example\n");
    ::chmod((dir / "Spedix.ini").c_str(), 0644);
    EXPECT_NO_THROW(LeggiImpostazioniPosta(dir / "Spedix.ini")) << "without a password anyone may read it";
}

TEST(IndirizzoDi, NameAndAddressOrAddressAlone)
{
    EXPECT_EQ(IndirizzoDi("Cassa <cassa@hotel.example>"), "cassa@hotel.example");
    EXPECT_EQ(IndirizzoDi(" cassa@hotel.example "), "cassa@hotel.example");
}

}
