#include "spedix/tests/SmtpServer.h"
#include "testing/ShellRun.h"
#include "testing/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

using namespace ravelt;

namespace {

std::string readAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs the program in 'folder' as a scheduled audit runs it: no terminal, the mail
// program found beside the build's spedix, the workstation 3.
ravelt::testing::ShellOutcome run(const std::filesystem::path& folder, const std::string& args)
{
    using ravelt::testing::shellQuoted;
    return ravelt::testing::runShell("cd " + shellQuoted(folder.string()) +
                                     " && env -u RAVELT_PASSWORD -u DISPLAY -u WAYLAND_DISPLAY PCLocal=3 PATH=" +
                                     shellQuoted(std::filesystem::path(SPEDIX_PROGRAM).parent_path().string() + ":/usr/bin:/bin") +
                                     " " + shellQuoted(RAVELT_EXE) + " " + args);
}

// The attachment of a message, decoded by Python's own mail parser: its file name and
// its bytes in hexadecimal; "" when the message has none.
std::string attachmentOf(const std::string& message, const std::filesystem::path& scratch)
{
    const std::filesystem::path file = scratch / "message.eml";
    std::ofstream(file, std::ios::binary) << message;
    const std::string cmd = "/usr/bin/python3 -c \"import email,sys\nm=email.message_from_binary_file(open(sys.argv[1],'rb'))\n"
                            "for p in m.walk():\n  if p.get_filename(): print(p.get_filename(), p.get_payload(decode=True).hex())\" '" +
                            file.string() + "'";
    return ravelt::testing::runShell(cmd).out;
}

std::string hex(const std::string& bytes)
{
    static const char* digits = "0123456789abcdef";
    std::string s;
    for (unsigned char c : bytes) {
        s += digits[c >> 4];
        s += digits[c & 15];
    }
    return s;
}

class Audit : public ::testing::Test {
protected:
    void SetUp() override
    {
        ravelt::testing::ShellOutcome r = run(dir.path(), "demo hotel --days 20 --from 01/01/2026 --rooms 20");
        ASSERT_EQ(r.status, 0) << r.out << r.err;
    }
    void mailTo(int port)
    {
        std::string ini = readAll(hotel() / "Spedix.ini");
        ini = std::regex_replace(ini, std::regex("porta=[0-9]+"), "porta=" + std::to_string(port));
        std::ofstream(hotel() / "Spedix.ini", std::ios::binary) << ini;
    }
    std::filesystem::path hotel() const { return dir.path() / "hotel"; }
    ravelt::testing::TempFolder dir;
};

// The morning audit: the report, its PDF on the PDF destination, and a mail that a real
// SMTP server receives with the report's text and that same PDF attached.
TEST_F(Audit, WritesThePdfAndMailsItWithTheReport)
{
    ravelt::testing::SmtpServer server(dir.path() / "smtp");
    mailTo(server.port());
    ravelt::testing::ShellOutcome r = run(hotel(), "audit --period yesterday --pdf --mail");
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    for (const char* step : {"audit: report scritto in ", "audit: PDF scritto in ", "audit: posta inviata, con il PDF allegato"})
        EXPECT_NE(r.out.find(step), std::string::npos) << step << "\n" << r.out;
    const auto messages = server.waitForMessages(1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("Dettaglio incassi dal "), std::string::npos);
    const std::string pdf = readAll(hotel() / "report.pdf");
    ASSERT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_EQ(attachmentOf(messages[0], dir.path()), "report.pdf " + hex(pdf) + "\n");
}

// Each step stops the audit when it fails: a mail server that is not there, a print
// destination that does not exist; --strict stops it when payments fall in no column
// (the demo's forms 09 and 10), before any output. Wrong options write nothing.
TEST_F(Audit, StopsAtTheFirstFailureWithANonZeroExit)
{
    mailTo(ravelt::testing::SmtpServer::freePort());
    ravelt::testing::ShellOutcome down = run(hotel(), "audit --period this-month --mail");
    EXPECT_NE(down.status, 0);
    EXPECT_NE(down.err.find("la posta non è partita"), std::string::npos) << down.err;

    ravelt::testing::ShellOutcome printer = run(hotel(), "audit --period this-month --print Nessuna --mail");
    EXPECT_EQ(printer.status, 1);
    EXPECT_NE(printer.err.find("destinazione sconosciuta"), std::string::npos) << printer.err;
    EXPECT_EQ(printer.out.find("audit: posta"), std::string::npos) << printer.out;

    std::filesystem::remove(hotel() / "report.pdf");
    ravelt::testing::ShellOutcome strict = run(hotel(), "audit --period this-year --strict --pdf");
    EXPECT_EQ(strict.status, 3);
    EXPECT_NE(strict.err.find("\n  09 "), std::string::npos) << strict.err;
    EXPECT_FALSE(std::filesystem::exists(hotel() / "report.pdf"));

    for (const char* args : {"audit --period domani", "audit --from 01/01/2026", "audit --counter x"}) {
        std::filesystem::remove(hotel() / "FD3");
        ravelt::testing::ShellOutcome wrong = run(hotel(), args);
        EXPECT_EQ(wrong.status, 2) << args;
        EXPECT_FALSE(std::filesystem::exists(hotel() / "FD3")) << args;
    }
}

}
