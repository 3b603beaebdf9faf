// The mail program end to end: the real spedix against a real SMTP server on the
// loopback, the received message read back with Python's own mail parser.
#include "spedix/tests/SchermoVirtuale.h"
#include "spedix/tests/SilentSmtpServer.h"
#include "spedix/tests/SmtpServer.h"
#include "testing/TempFolder.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QProcessEnvironment>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using ravelt::testing::SilentSmtpServer;
using ravelt::testing::SmtpServer;

struct Esecuzione {
    int code = -1;
    std::string out, err;
};

// How the program is started beyond its working folder and PCLocal: its arguments, and
// the display it may show its window on (none when empty: DISPLAY and WAYLAND_DISPLAY
// are unset, as for a script, whatever the tests run under).
struct Avvio {
    QStringList argomenti;
    QString display;
};

// Runs the mail program in 'folder' with PCLocal (unset when null) and the given
// wait for the server's silence (SPEDIX_ATTESA, unset when empty). A program still
// running after 'limitSeconds' is stopped and reported as code -1.
Esecuzione spedix(const std::filesystem::path& folder, const char* pcLocal, const QString& attesa = {},
                  int limitSeconds = 60, const Avvio& avvio = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("PCLocal");
    env.remove("SPEDIX_ATTESA");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    if (pcLocal)
        env.insert("PCLocal", pcLocal);
    if (!attesa.isNull())
        env.insert("SPEDIX_ATTESA", attesa);
    if (!avvio.display.isEmpty())
        env.insert("DISPLAY", avvio.display);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QString::fromStdString(folder.string()));
    p.start(SPEDIX_PROGRAM, avvio.argomenti);
    if (!p.waitForFinished(limitSeconds * 1000)) {
        p.kill();
        p.waitForFinished();
        return {-1, {}, "still running after " + std::to_string(limitSeconds) + " s"};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
}

// The message as a mail reader sees it, decoded by Python's email package.
QJsonObject decoded(const std::filesystem::path& folder, const std::string& raw)
{
    const char* script = R"(import sys, json, email
from email import policy
m = email.message_from_binary_file(open(sys.argv[1], 'rb'), policy=policy.default)
body = m.get_body(preferencelist=('plain',))
atts = [{'name': a.get_filename(), 'type': a.get_content_type(), 'charset': a.get_content_charset(),
         'text': a.get_content()} for a in m.iter_attachments()]
print(json.dumps({'subject': str(m['subject']), 'from': str(m['from']), 'to': str(m['to']),
                  'rcpt': str(m['X-RcptTo']), 'mailfrom': str(m['X-MailFrom']), 'body': body.get_content(),
                  'charset': body.get_content_charset(), 'attachments': atts}))
)";
    std::ofstream(folder / "decode.py") << script;
    std::ofstream(folder / "message.eml", std::ios::binary) << raw;
    QProcess p;
    p.start("/usr/bin/python3", {QString::fromStdString((folder / "decode.py").string()),
                                 QString::fromStdString((folder / "message.eml").string())});
    p.waitForFinished(60000);
    QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput());
    EXPECT_TRUE(doc.isObject()) << p.readAllStandardError().toStdString();
    return doc.object();
}

std::string conLf(std::string s)
{
    for (size_t at = s.find("\r\n"); at != std::string::npos; at = s.find("\r\n", at))
        s.erase(at, 1);
    return s;
}

void settings(const ravelt::testing::TempFolder& dir, int port, const std::string& extra = "")
{
    dir.write("Spedix.ini", "server=127.0.0.1\r\nporta=" + std::to_string(port) +
                                "\r\nstarttls=no\r\nmittente=Cassa <cassa@hotel.example>\r\n"
                                "destinatari=direzione@hotel.example, conti@studio.example\r\n" + extra);
    ::chmod((dir / "Spedix.ini").c_str(), 0600);
}

// The report as the preview sends it: frames already converted, accented letters and
// the euro sign as code-page-1252 bytes, lines wider than a mail line.
const std::string Title = "31/01/2026" + std::string(38, ' ') + "Dettaglio incassi dal 01/01/2026 al 31/01/2026" +
                          std::string(37, ' ') + "23:59";
const std::string Rule = "-" + std::string(142, '-');
const std::string Row = "|01/01/2026|  2.916,16|      0,00|" + std::string(100, ' ') + "| 10.501,26|  68|";
std::string request()
{
    return "OGGETTO\r\nHotel Caff\xe8 Rossi & C.\r\n" + Title + "\r\n" + Rule + "\r\n|Data Rif. |CITT\xe0 \x80  |\r\n" + Row +
           "\r\n\xe0----------\xf9\r\n\r\n";
}
const std::string TextUtf8 = "Hotel Caffè Rossi & C.\n" + Title + "\n" + Rule + "\n|Data Rif. |CITTà €  |\n" + Row +
                             "\nà----------ù\n\n";

TEST(spedix, ReportArrivesOnceWithSubjectAndBody)
{
    ravelt::testing::TempFolder dir;
    std::unique_ptr<SmtpServer> server;
    try {
        server = std::make_unique<SmtpServer>(dir / "smtp");
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    settings(dir, server->port());
    dir.write("e-mail1.txt", request());
    Esecuzione r = spedix(dir.path(), "1");
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("direzione@hotel.example, conti@studio.example"), std::string::npos) << r.out;

    auto messages = server->waitForMessages(1);
    ASSERT_EQ(messages.size(), 1u);
    QJsonObject m = decoded(dir.path(), messages[0]);
    EXPECT_EQ(m["subject"].toString().toStdString(),
              "Dettaglio incassi dal 01/01/2026 al 31/01/2026 - Hotel Caffè Rossi & C.");
    EXPECT_EQ(m["from"].toString().toStdString(), "Cassa <cassa@hotel.example>");
    EXPECT_EQ(m["mailfrom"].toString().toStdString(), "cassa@hotel.example");
    EXPECT_EQ(m["rcpt"].toString().toStdString(), "direzione@hotel.example, conti@studio.example");
    EXPECT_EQ(m["charset"].toString().toStdString(), "utf-8");
    EXPECT_EQ(conLf(m["body"].toString().toStdString()), TextUtf8) << "every blank kept: the columns line up";
    EXPECT_EQ(m["attachments"].toArray().size(), 0) << "the text goes once, as the body";

    EXPECT_EQ(dir.read("e-mail1.txt"), request()) << "the request stays";
    EXPECT_NE(dir.read("spedix.log").find("inviata a direzione@hotel.example"), std::string::npos);
}

TEST(spedix, ServerThatCannotBeReachedIsAClearFailure)
{
    ravelt::testing::TempFolder dir;
    int port = SmtpServer::freePort();
    settings(dir, port, "utente=cassa\r\npassword=segreta-123\r\n");
    dir.write("e-mail4.txt", request());
    Esecuzione r = spedix(dir.path(), "4");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("127.0.0.1:" + std::to_string(port)), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("non si raggiunge"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("e-mail4.txt resta"), std::string::npos) << r.err;
    EXPECT_EQ(dir.read("e-mail4.txt"), request());
    std::string log = dir.read("spedix.log");
    EXPECT_NE(log.find("NON inviata"), std::string::npos) << log;
    EXPECT_EQ((r.out + r.err + log).find("segreta-123"), std::string::npos) << "the password is never shown";
}

TEST(spedix, ServerThatRefusesTheRecipientsIsAClearFailure)
{
    ravelt::testing::TempFolder dir;
    std::unique_ptr<SmtpServer> server;
    try {
        server = std::make_unique<SmtpServer>(dir / "smtp", SmtpServer::Mode::RefuseRecipients);
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    settings(dir, server->port());
    dir.write("e-mail2.txt", request());
    Esecuzione r = spedix(dir.path(), "2");
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("rifiutato"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("550"), std::string::npos) << r.err;
    EXPECT_EQ(dir.read("e-mail2.txt"), request());
}

// A server that falls silent is given up after SPEDIX_ATTESA seconds (two here; 60
// without it), whether it never greets or takes the whole message and never confirms
// it: a clear failure, the request kept for another attempt.
TEST(spedix, ServerThatFallsSilentIsGivenUp)
{
    struct Case {
        const char* name;
        SilentSmtpServer::Silence silence;
        const char* said;
        bool messageTaken;
    } cases[] = {
        {"no greeting", SilentSmtpServer::Silence::FromTheStart, "non risponde: invio interrotto dopo", false},
        {"no reply to the message's end", SilentSmtpServer::Silence::AfterTheMessage,
         "ha ricevuto il messaggio ma non ha confermato l'invio entro 2 secondi", true},
    };
    for (const auto& c : cases) {
        ravelt::testing::TempFolder dir;
        SilentSmtpServer server(c.silence);
        settings(dir, server.port());
        dir.write("e-mail6.txt", request());
        Esecuzione r = spedix(dir.path(), "6", "2", 30);
        EXPECT_EQ(r.code, 2) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find("127.0.0.1:" + std::to_string(server.port())), std::string::npos) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << c.name << ": " << r.err;
        EXPECT_NE(r.err.find("e-mail6.txt resta"), std::string::npos) << c.name << ": " << r.err;
        EXPECT_EQ(server.messageEnded(), c.messageTaken) << c.name;
        // Given up means given up: no QUIT, which would wait for the silent server again.
        EXPECT_EQ(server.received().find("QUIT"), std::string::npos) << c.name;
        EXPECT_EQ(dir.read("e-mail6.txt"), request()) << c.name;
        EXPECT_NE(dir.read("spedix.log").find("NON inviata"), std::string::npos) << c.name;
    }
}

TEST(spedix, AWaitThatIsNotANumberOfSecondsIsRefused)
{
    ravelt::testing::TempFolder dir;
    settings(dir, SmtpServer::freePort());
    dir.write("e-mail7.txt", request());
    for (const char* attesa : {"", "abc", "0", "121", "-5", "2.5", "1e3", "99999999999999999999"}) {
        Esecuzione r = spedix(dir.path(), "7", attesa);
        EXPECT_EQ(r.code, 1) << "'" << attesa << "'";
        EXPECT_NE(r.err.find("SPEDIX_ATTESA"), std::string::npos) << "'" << attesa << "': " << r.err;
        EXPECT_NE(r.err.find("da 1 a 120"), std::string::npos) << "'" << attesa << "': " << r.err;
    }
    EXPECT_EQ(dir.read("e-mail7.txt"), request());
}

TEST(spedix, WhatIsMissingIsNamed)
{
    ravelt::testing::TempFolder dir;
    settings(dir, 2525);
    struct Case {
        const char* name;
        const char* pcLocal;
        const char* said;
    } cases[] = {
        {"no workstation", nullptr, "PCLocal"},
        {"workstation not a number", "uno", "\"uno\""},
        {"no request", "9", "e-mail9.txt"},
    };
    for (const auto& c : cases) {
        Esecuzione r = spedix(dir.path(), c.pcLocal);
        EXPECT_EQ(r.code, 1) << c.name;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << c.name << ": " << r.err;
    }
    dir.write("e-mail9.txt", request());
    std::filesystem::remove(dir / "Spedix.ini");
    Esecuzione r = spedix(dir.path(), "9");
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("Spedix.ini"), std::string::npos) << r.err;
}

// The message with files as a mail reader takes it apart with Python's email package:
// the text of its body, and each file's name, content type, disposition and decoded
// bytes.
struct Ricevuto {
    std::string nome, tipo, disposizione, contenuto;
};
struct Letto {
    std::string corpo;
    std::vector<Ricevuto> allegati;
};
Letto conAllegati(const std::filesystem::path& folder, const std::string& raw)
{
    const char* script = R"(import sys, json, base64, email
from email import policy
m = email.message_from_binary_file(open(sys.argv[1], 'rb'), policy=policy.default)
print(json.dumps({'type': m.get_content_type(), 'body': m.get_body(preferencelist=('plain',)).get_content(),
                  'attachments': [{'name': a.get_filename(), 'type': a.get_content_type(),
                                   'disposition': a.get_content_disposition(),
                                   'data': base64.b64encode(a.get_payload(decode=True)).decode()}
                                  for a in m.iter_attachments()]}))
)";
    std::ofstream(folder / "attachments.py") << script;
    std::ofstream(folder / "message.eml", std::ios::binary) << raw;
    QProcess p;
    p.start("/usr/bin/python3", {QString::fromStdString((folder / "attachments.py").string()),
                                 QString::fromStdString((folder / "message.eml").string())});
    p.waitForFinished(60000);
    QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput());
    EXPECT_TRUE(doc.isObject()) << p.readAllStandardError().toStdString();
    EXPECT_EQ(doc["type"].toString().toStdString(), "multipart/mixed");
    Letto out{doc["body"].toString().toStdString(), {}};
    for (const auto& v : doc["attachments"].toArray()) {
        QJsonObject a = v.toObject();
        out.allegati.push_back({a["name"].toString().toStdString(), a["type"].toString().toStdString(),
                                a["disposition"].toString().toStdString(),
                                QByteArray::fromBase64(a["data"].toString().toLatin1()).toStdString()});
    }
    return out;
}

// A report's PDF and CSV go with the text: each arrives with its name and type and the
// very bytes of the file, while the text stays the body.
TEST(spedix, FilesAttachedArriveByteForByte)
{
    ravelt::testing::TempFolder dir;
    std::unique_ptr<SmtpServer> server;
    try {
        server = std::make_unique<SmtpServer>(dir / "smtp");
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    settings(dir, server->port());
    dir.write("e-mail3.txt", request());
    // Every byte value, over many base64 lines; the CSV in code page 1252 with CR LF.
    std::string pdf = "%PDF-1.4\n";
    for (int round = 0; round < 3; ++round)
        for (int i = 0; i < 256; ++i)
            pdf += static_cast<char>(i);
    pdf += "\n%%EOF\n";
    const std::string csv = "Data;Totale\r\n01/01/2026;2.916,16\r\nCitt\xe0;\x80\r\n";
    dir.write("report.pdf", pdf);
    std::filesystem::create_directory(dir / "export");
    dir.write("export/Incassi città.CSV", csv);

    Esecuzione r = spedix(dir.path(), "3", {}, 60, {{"--allegato", "report.pdf", "--allegato", "export/Incassi città.CSV"}, {}});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(r.out.find("inviata a direzione@hotel.example, conti@studio.example"), std::string::npos) << r.out;

    auto messages = server->waitForMessages(1);
    ASSERT_EQ(messages.size(), 1u);
    Letto m = conAllegati(dir.path(), messages[0]);
    EXPECT_EQ(conLf(m.corpo), TextUtf8) << "the text is still the body, every blank kept";
    const auto& files = m.allegati;
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[0].nome, "report.pdf");
    EXPECT_EQ(files[0].tipo, "application/pdf");
    EXPECT_EQ(files[0].disposizione, "attachment");
    EXPECT_EQ(files[0].contenuto, pdf);
    EXPECT_EQ(files[1].nome, "Incassi città.CSV");
    EXPECT_EQ(files[1].tipo, "text/csv");
    EXPECT_EQ(files[1].contenuto, csv);
}

// A sending that cannot carry what was asked goes nowhere: a file that cannot be
// attached is a bad request, the command line's mistakes show the usage; the request
// stays and the server receives nothing.
TEST(spedix, WhatCannotBeAttachedStopsTheSending)
{
    ravelt::testing::TempFolder dir;
    std::unique_ptr<SmtpServer> server;
    try {
        server = std::make_unique<SmtpServer>(dir / "smtp");
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    settings(dir, server->port());
    dir.write("e-mail5.txt", request());
    dir.write("report.pdf", "%PDF-1.4");
    std::filesystem::create_directory(dir / "export");
    struct Case {
        const char* name;
        QStringList args;
        const char* said;
        bool logged;  // a request that cannot go is logged; a command line misused is the caller's
    } cases[] = {
        {"file not there", {"--allegato", "report.pdf", "--allegato", "manca.pdf"}, "l'allegato manca.pdf non esiste", true},
        {"a folder", {"--allegato", "export"}, "l'allegato export è una cartella", true},
        {"empty name", {"--allegato", ""}, "manca il nome del file da allegare", true},
        {"option without its file", {"--allegato", "report.pdf", "--allegato"}, "--allegato vuole il nome del file", false},
        {"unknown argument", {"report.pdf"}, "argomento sconosciuto \"report.pdf\"", false},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(dir / "spedix.log");
        Esecuzione r = spedix(dir.path(), "5", {}, 60, {c.args, {}});
        EXPECT_EQ(r.code, 1) << c.name;
        EXPECT_NE(r.err.find(c.said), std::string::npos) << c.name << ": " << r.err;
        if (c.logged) {
            EXPECT_NE(dir.read("spedix.log").find(std::string("NON inviata: ") + c.said), std::string::npos) << c.name;
        } else {
            EXPECT_NE(r.err.find("uso: spedix [--allegato FILE]..."), std::string::npos) << c.name << ": " << r.err;
            EXPECT_EQ(dir.read("spedix.log"), "") << c.name;
        }
    }
    EXPECT_EQ(dir.read("e-mail5.txt"), request());
    EXPECT_TRUE(server->messages().empty()) << "nothing was sent";
}

// With a display the program shows its window and ends when the window closes, which
// after a sent mail it does by itself: same exit code, same lines, same log. A display
// that is named but cannot be opened leaves the program sending without a window.
TEST(spedix, WithADisplayTheSendingEndsAsWithout)
{
    ravelt::testing::TempFolder dir;
    std::unique_ptr<SmtpServer> server;
    std::unique_ptr<ravelt::testing::SchermoVirtuale> screen;
    try {
        server = std::make_unique<SmtpServer>(dir / "smtp");
        screen = std::make_unique<ravelt::testing::SchermoVirtuale>(dir / "x");
    } catch (const std::exception& e) {
        FAIL() << e.what();
    }
    settings(dir, server->port());
    dir.write("e-mail8.txt", request());
    int free = 500;
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(free)) ||
           std::filesystem::exists("/tmp/.X" + std::to_string(free) + "-lock"))
        ++free;
    const QString closed = ":" + QString::number(free);
    struct Case {
        const char* name;
        QString display;
        bool window;
    } cases[] = {
        {"display that works", QString::fromStdString(screen->display()), true},
        {"display that cannot be opened", closed, false},
    };
    size_t sent = 0;
    for (const auto& c : cases) {
        std::filesystem::remove(dir / "spedix.log");
        Esecuzione r = spedix(dir.path(), "8", {}, 60, {{}, c.display});
        ASSERT_EQ(r.code, 0) << c.name << ": " << r.err;
        EXPECT_NE(r.out.find("spedix: inviata a direzione@hotel.example, conti@studio.example: Dettaglio incassi"),
                  std::string::npos) << c.name << ": " << r.out;
        EXPECT_NE(dir.read("spedix.log").find("inviata a direzione@hotel.example"), std::string::npos) << c.name;
        if (c.window) {
            EXPECT_EQ(r.err, "") << c.name;
        } else {
            EXPECT_NE(r.err.find("lo schermo non si apre (DISPLAY=" + closed.toStdString() + ")"), std::string::npos)
                << c.name << ": " << r.err;
        }
        EXPECT_EQ(server->waitForMessages(++sent).size(), sent) << c.name;
    }
}

}
