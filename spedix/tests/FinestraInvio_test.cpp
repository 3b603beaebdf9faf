// The window of a sending, offscreen, around real sendings to a real SMTP server on the
// loopback: what it shows while the mail goes and after, and when it closes.
#include "spedix/EsitoInvio.h"
#include "spedix/FinestraInvio.h"
#include "spedix/MessaggioPosta.h"
#include "spedix/tests/SilentSmtpServer.h"
#include "spedix/tests/SmtpServer.h"
#include "testing/TempFolder.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using namespace ravelt;
using ravelt::testing::SilentSmtpServer;
using ravelt::testing::SmtpServer;

// Long enough for any sending here to end; reaching it is a failure, not a measure.
constexpr int Attesa = 30000;

ImpostazioniPosta impostazioni(int port)
{
    ImpostazioniPosta s;
    s.server = "127.0.0.1";
    s.porta = port;
    s.mittente = "Cassa <cassa@hotel.example>";
    s.destinatari = {"direzione@hotel.example", "Conti <conti@studio.example>"};
    return s;
}

// The window for a sending of the report to the settings' recipients, and the work it
// runs: the real sending of spedix, the request named e-mail1.txt.
struct Invio {
    ImpostazioniPosta s;
    TempiInvio tempi;
    std::string messaggio;
    FinestraInvio finestra;

    Invio(int port, TempiInvio t = {})
        : s(impostazioni(port)), tempi(t),
          messaggio(ComponiMessaggio(s, "Dettaglio incassi", "riga\r\n", {"Sat, 31 Jan 2026 23:59:00 +0100", "<1@h>"})),
          finestra(s.destinatari, "Dettaglio incassi", {"report.pdf", "fd1.csv"})
    {
    }
    void avvia()
    {
        finestra.avvia([this] { return Spedisci(s, "Dettaglio incassi", messaggio, "e-mail1.txt", tempi); });
    }
    // A label's text as the operator reads it: the word joiners that keep a name on one
    // line are not seen.
    std::string testo(const char* name) const
    {
        auto* l = finestra.findChild<QLabel*>(name);
        EXPECT_NE(l, nullptr) << name;
        return l ? l->text().remove(QChar(0x2060)).toStdString() : std::string();
    }
    bool visibile(const char* name) const { return finestra.findChild<QWidget*>(name)->isVisible(); }
    QPushButton* chiudi() const { return finestra.findChild<QPushButton*>("Chiudi"); }
    QTimer* chiusura() const { return finestra.findChild<QTimer*>("TimerChiusura"); }
};

// While the mail goes the window names what goes where, says so, and cannot be
// closed; once the server took it, "Inviata", and the window closes by itself.
TEST(FinestraInvio, SentMailShowsInviataThenClosesByItself)
{
    ravelt::testing::TempFolder dir;
    std::unique_ptr<SmtpServer> server;
    try {
        server = std::make_unique<SmtpServer>(dir / "smtp");
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    Invio i(server->port());
    i.finestra.impostaChiusura(std::chrono::milliseconds(300));
    QSignalSpy finished(&i.finestra, &QDialog::finished);
    i.finestra.show();
    i.avvia();
    // The outcome comes through the event loop, which has not run yet: this is the
    // window of a sending under way.
    EXPECT_EQ(i.testo("Destinatari"), "direzione@hotel.example, Conti <conti@studio.example>");
    EXPECT_EQ(i.testo("Oggetto"), "Dettaglio incassi");
    EXPECT_EQ(i.testo("Allegati"), "report.pdf, fd1.csv");
    EXPECT_EQ(i.testo("Stato"), "Invio in corso…");
    EXPECT_TRUE(i.visibile("Avanzamento"));
    EXPECT_FALSE(i.chiudi()->isEnabled());
    EXPECT_FALSE(i.finestra.close()) << "no closing while the sending runs";
    QTest::keyClick(&i.finestra, Qt::Key_Escape);
    EXPECT_TRUE(i.finestra.isVisible());

    QTRY_VERIFY_WITH_TIMEOUT(i.finestra.esito().has_value(), Attesa);
    EXPECT_EQ(i.finestra.esito()->codice, Inviata);
    EXPECT_EQ(i.testo("Stato"), "Inviata");
    EXPECT_EQ(i.testo("Dettaglio"), "La finestra si chiude da sola fra 1 secondo.");
    EXPECT_FALSE(i.visibile("Avanzamento"));
    EXPECT_EQ(server->waitForMessages(1).size(), 1u);
    EXPECT_TRUE(finished.wait(Attesa)) << "the window of a sent mail closes by itself";
    EXPECT_FALSE(i.finestra.isVisible());
}

// A sending that fails says "NON inviata" and why, with the request kept, and waits
// for the operator: no closing is due until the operator closes it. Both failures a
// server gives: a refusal, and a silence the time limit ends.
TEST(FinestraInvio, FailedMailShowsTheReasonAndStaysUntilClosed)
{
    ravelt::testing::TempFolder dir;
    std::unique_ptr<SmtpServer> refusing;
    try {
        refusing = std::make_unique<SmtpServer>(dir / "smtp", SmtpServer::Mode::RefuseRecipients);
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    SilentSmtpServer silent(SilentSmtpServer::Silence::FromTheStart);
    struct Case {
        const char* name;
        int port;
        std::vector<std::string> said;
    } cases[] = {
        {"recipients refused", refusing->port(), {"ha rifiutato il messaggio", "550", "e-mail1.txt resta nella cartella"}},
        {"server silent", silent.port(), {"non risponde: invio interrotto", "e-mail1.txt resta nella cartella"}},
    };
    for (const auto& c : cases) {
        Invio i(c.port, {1, 1, 120});
        i.finestra.impostaChiusura(std::chrono::milliseconds(1));
        QSignalSpy finished(&i.finestra, &QDialog::finished);
        i.finestra.show();
        i.avvia();
        EXPECT_FALSE(i.finestra.close()) << c.name << ": no closing while the sending runs";
        QTRY_VERIFY_WITH_TIMEOUT(i.finestra.esito().has_value(), Attesa);
        EXPECT_EQ(i.finestra.esito()->codice, InvioFallito) << c.name;
        EXPECT_EQ(i.testo("Stato"), "NON inviata") << c.name;
        const std::string reason = i.testo("Dettaglio");
        EXPECT_EQ(reason.substr(0, 18), "Il server di posta") << c.name << ": " << reason;
        for (const auto& s : c.said)
            EXPECT_NE(reason.find(s), std::string::npos) << c.name << ": " << reason;
        ASSERT_NE(i.chiusura(), nullptr);
        EXPECT_FALSE(i.chiusura()->isActive()) << c.name << ": no closing is due";
        QCoreApplication::processEvents();
        EXPECT_TRUE(i.finestra.isVisible()) << c.name;
        EXPECT_EQ(finished.count(), 0) << c.name;

        ASSERT_TRUE(i.chiudi()->isEnabled()) << c.name;
        QTest::mouseClick(i.chiudi(), Qt::LeftButton);
        EXPECT_FALSE(i.finestra.isVisible()) << c.name;
        EXPECT_EQ(finished.count(), 1) << c.name;
    }
    EXPECT_TRUE(refusing->messages().empty());
}

// A request that cannot be sent is shown as such, without a sending: only what is
// known of it, and the reason.
TEST(FinestraInvio, RequestNotValidShowsOnlyWhatIsKnown)
{
    FinestraInvio finestra({}, "", {});
    finestra.show();
    finestra.mostraEsito({RichiestaNonValida, "l'allegato report.pdf non esiste"});
    EXPECT_EQ(finestra.findChild<QLabel*>("Destinatari"), nullptr);
    EXPECT_EQ(finestra.findChild<QLabel*>("Oggetto"), nullptr);
    EXPECT_EQ(finestra.findChild<QLabel*>("Allegati"), nullptr);
    EXPECT_EQ(finestra.findChild<QLabel*>("Stato")->text(), "NON inviata");
    EXPECT_EQ(finestra.findChild<QLabel*>("Dettaglio")->text().remove(QChar(0x2060)), "L'allegato report.pdf non esiste");
    ASSERT_NE(finestra.findChild<QTimer*>("TimerChiusura"), nullptr);
    EXPECT_FALSE(finestra.findChild<QTimer*>("TimerChiusura")->isActive());
    QTest::keyClick(&finestra, Qt::Key_Escape);
    EXPECT_FALSE(finestra.isVisible()) << "Esc closes a window whose sending is over";
}

}
