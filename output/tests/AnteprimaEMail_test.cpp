// The preview's mail button end to end: the request file, the real mail program started
// without waiting, and a real SMTP server on the loopback receiving the chunk shown.
#include "output/Anteprima.h"
#include "output/tests/OutputFixtures.h"
#include "spedix/tests/SmtpServer.h"
#include "testing/TempFolder.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace ravelt;

namespace {

TEST(AnteprimaEMail, ShownChunkReachesTheMailboxThroughTheMailProgram)
{
    ravelt::testing::TempFolder dir;
    std::unique_ptr<ravelt::testing::SmtpServer> server;
    try {
        server = std::make_unique<ravelt::testing::SmtpServer>(dir / "smtp");
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    dir.write("Spedix.ini", "server=127.0.0.1\nporta=" + std::to_string(server->port()) +
                                "\nmittente=cassa@hotel.example\ndestinatari=direzione@hotel.example\n");
    auto lines = ravelt::testing::righeNumerate(300, 100);
    lines[0] = "Hotel Caff\xe8";
    lines[1] = "31/01/2026   Dettaglio incassi dal 01/01/2026 al 31/01/2026   23:59";
    dir.write("FD5", ravelt::testing::comeFile(lines));

    ravelt::testing::RecordingPresenter messages;
    Anteprima a(dir.path(), 5, messages);
    a.setRicercaProgramma(std::filesystem::path(SPEDIX_PROGRAM).parent_path(), "/nessun/percorso");
    a.show();
    QApplication::processEvents();
    QTest::mouseClick(a.findChild<QPushButton*>("Tasto_5"), Qt::LeftButton);
    ASSERT_TRUE(messages.shown.empty()) << messages.shown[0].testo;

    auto received = server->waitForMessages(1);
    ASSERT_EQ(received.size(), 1u) << "spedix.log: " << dir.read("spedix.log");
    const std::string& m = received[0];
    EXPECT_NE(m.find("Subject: =?UTF-8?B?"), std::string::npos);
    EXPECT_NE(m.find("Riga 202 "), std::string::npos) << "the chunk on screen: 20000 characters reached with Riga 202";
    EXPECT_EQ(m.find("Riga 203 "), std::string::npos) << "and only that";
    // The program notes the outcome once the server has answered.
    const std::string sent = "inviata a direzione@hotel.example: Dettaglio incassi dal 01/01/2026";
    for (int i = 0; i < 300 && dir.read("spedix.log").find(sent) == std::string::npos; ++i)
        QTest::qWait(50);
    EXPECT_NE(dir.read("spedix.log").find(sent), std::string::npos) << dir.read("spedix.log");
}

}
