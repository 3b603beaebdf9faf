#include "output/InviaEMail.h"
#include "output/TestoEditor.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace ravelt;

namespace {

// Keeps the calls instead of starting processes.
class RecordingLauncher : public ProgramLauncher {
public:
    struct Call {
        std::filesystem::path program, folder;
        std::map<std::string, std::string> env;
        bool waited;
    };
    void start(const std::filesystem::path& p, const std::filesystem::path& f,
               const std::map<std::string, std::string>& e) override
    {
        calls.push_back({p, f, e, false});
    }
    int run(const std::filesystem::path& p, const std::filesystem::path& f, const std::map<std::string, std::string>& e,
            const std::vector<std::string>&) override
    {
        calls.push_back({p, f, e, true});
        return exitCode;
    }
    std::vector<Call> calls;
    int exitCode = 0;
};

void makeProgram(const std::filesystem::path& p)
{
    std::filesystem::create_directories(p.parent_path());
    FILE* f = std::fopen(p.c_str(), "w");
    std::fputs("#!/bin/sh\nexit 0\n", f);
    std::fclose(f);
    ::chmod(p.c_str(), 0755);
}

TEST(ContenutoRichiestaEMail, SubjectLineTextAndOneMoreLineEnd)
{
    EXPECT_EQ(ContenutoRichiestaEMail("Hotel\n|CITTà|\n"), "OGGETTO\r\nHotel\r\n|CITT\xe0|\r\n\r\n");
    EXPECT_EQ(ContenutoRichiestaEMail(""), "OGGETTO\r\n\r\n");
    EXPECT_THROW(ContenutoRichiestaEMail("\u4e2d"), CarattereNonRappresentabile);
}

class InviaEMailTest : public ::testing::Test {
protected:
    ContestoEMail contesto(int pc)
    {
        ContestoEMail c;
        c.folder = work.path();
        c.pcLocal = static_cast<std::int16_t>(pc);
        c.launcher = &launcher;
        c.cartellaProgramma = own.path();
        c.percorsoRicerca = (path1.path().string() + ":" + path2.path().string());
        return c;
    }
    ravelt::testing::TempFolder work, own, path1, path2;
    RecordingLauncher launcher;
};

TEST_F(InviaEMailTest, WritesTheWorkstationsRequestAndStartsTheProgramWithoutWaiting)
{
    makeProgram(path2 / "spedix");
    EXPECT_EQ(InviaEMail("testo\n", contesto(12)), 0);
    EXPECT_EQ(work.read("e-mail12.txt"), "OGGETTO\r\ntesto\r\n\r\n");
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_EQ(launcher.calls[0].program, path2 / "spedix");
    EXPECT_EQ(launcher.calls[0].folder, work.path());
    EXPECT_EQ(launcher.calls[0].env.at("PCLocal"), "12");
    EXPECT_FALSE(launcher.calls[0].waited);
}

TEST_F(InviaEMailTest, ProgramIsLookedForInWorkingFolderThenOwnFolderThenPath)
{
    makeProgram(path1 / "spedix");
    makeProgram(own / "spedix");
    makeProgram(work / "spedix");
    struct Step {
        std::filesystem::path expected;
        std::filesystem::path removeAfter;
    } steps[] = {{work / "spedix", work / "spedix"}, {own / "spedix", own / "spedix"}, {path1 / "spedix", {}}};
    for (const auto& s : steps) {
        launcher.calls.clear();
        InviaEMail("x\n", contesto(1));
        ASSERT_EQ(launcher.calls.size(), 1u);
        EXPECT_EQ(launcher.calls[0].program, s.expected);
        if (!s.removeAfter.empty())
            std::filesystem::remove(s.removeAfter);
    }
    std::filesystem::create_directory(work / "spedix");
    launcher.calls.clear();
    InviaEMail("x\n", contesto(1));
    EXPECT_EQ(launcher.calls.at(0).program, path1 / "spedix") << "a folder of that name is not the program";
}

TEST_F(InviaEMailTest, ProgramNotFoundIsAClearErrorAndTheRequestStays)
{
    try {
        InviaEMail("report\n", contesto(3));
        FAIL() << "no error without the program";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("spedix"), std::string::npos) << e.what();
    }
    EXPECT_EQ(work.read("e-mail3.txt"), "OGGETTO\r\nreport\r\n\r\n");
    EXPECT_TRUE(launcher.calls.empty());
}

TEST_F(InviaEMailTest, WaitingReturnsTheProgramsExitCode)
{
    makeProgram(own / "spedix");
    launcher.exitCode = 3;
    ContestoEMail c = contesto(5);
    c.attendi = true;
    EXPECT_EQ(InviaEMail("x\n", c), 3);
    ASSERT_EQ(launcher.calls.size(), 1u);
    EXPECT_TRUE(launcher.calls[0].waited);
}

TEST_F(InviaEMailTest, TextTheCodePageCannotHoldWritesNothing)
{
    makeProgram(own / "spedix");
    work.write("e-mail5.txt", "precedente");
    EXPECT_THROW(InviaEMail("prezzo \u20b9\n", contesto(5)), CarattereNonRappresentabile);
    EXPECT_EQ(work.read("e-mail5.txt"), "precedente");
    EXPECT_TRUE(launcher.calls.empty());
}

}
