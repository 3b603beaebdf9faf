#include "shell/PasswordRoutines.h"

#include "platform/Cp1252.h"
#include "shell/tests/StoreFixtures.h"
#include "testing/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

using namespace ravelt;
using ravelt::testing::TempFolder;

TEST(TrasformaPassword, ShiftsCodePageCodesByTwelve)
{
    struct Case {
        std::string testo;
        std::int16_t modo;
        std::string result;
        std::string upper;  // what testo holds afterwards
    } cases[] = {
        {"ABC", 1, "567", "ABC"},
        {"567", 0, "ABC", "567"},
        {"abc", 1, "567", "ABC"},          // upper-cased in place first
        {"8", 1, ",", "8"},                // the digit 8 stores as a comma
        {"é", 1, "\u00BD", "É"},           // É is 201 in the code page, ½ is 189
        {"\u00BD", 0, "É", "\u00BD"},
        {"", 0, "", ""},
        {"abc", 2, "", "ABC"},             // other modes give nothing
    };
    for (const auto& c : cases) {
        std::string testo = c.testo;
        EXPECT_EQ(TrasformaPassword(testo, c.modo), c.result) << c.testo << " mode " << c.modo;
        EXPECT_EQ(testo, c.upper) << c.testo;
    }
}

TEST(TrasformaPassword, ModeZeroUndoesModeOne)
{
    for (std::string pw : {"ABC", "DIREZIONE2024", "CAFÉ", "L\u00B4HOTEL", "ÀÈÌ"}) {
        std::string clear = pw;
        std::string stored = TrasformaPassword(clear, 1);
        EXPECT_EQ(TrasformaPassword(stored, 0), pw) << pw;
    }
}

TEST(TrasformaPassword, CodeWithoutCharacterIsAnError)
{
    std::string low = "\x05";       // 5 - 12 is below 0
    EXPECT_THROW(TrasformaPassword(low, 1), std::out_of_range);
    std::string high = "\u00F7";    // ÷ is 247; 247 + 12 is beyond the code page
    EXPECT_THROW(TrasformaPassword(high, 0), std::out_of_range);
}

TEST(CalcolaControllo, SumsSevenTimesCodePlusSix)
{
    struct Case {
        std::string testo, result;
    } cases[] = {
        {"ABC", "1404"},   // 7 x (65 + 66 + 67) + 3 x 6
        {"A", "461"},
        {"", "0"},
        {"É", "1413"},     // code page code 201, not the UTF-8 bytes
        {"€", "902"},      // the euro sign is 128 in the code page
    };
    for (const auto& c : cases)
        EXPECT_EQ(CalcolaControllo(c.testo), c.result) << c.testo;
}

TEST(CalcolaControllo, OverflowOfThirtyTwoBitsIsAnError)
{
    std::string huge(2'500'000, 'z');  // 7 x 122 + 6 = 860 each: just over 2^31 - 1
    EXPECT_THROW(CalcolaControllo(huge), std::overflow_error);
    EXPECT_NO_THROW(CalcolaControllo(std::string(2'000'000, 'A')));  // 461 x 2e6 fits
}

TEST(splitPasswordLine, ScansFromTheEnd)
{
    struct Case {
        std::string line, head, tail;
    } cases[] = {
        {"567,1404", "567", "1404"},
        {"", "", ""},
        {"1404", "", "1404"},        // no comma: all tail
        {",1404", "", "1404"},       // comma first: empty head, nothing read before the line
        {",", "", ""},
        {"567,", "567", ""},
        {"A,B,C", "AB", "C"},        // earlier single commas are dropped from the head
        {"A,,B", "A,", "B"},         // a comma right after a skipped one is kept
        {",,5", ",", "5"},
        {"àè,ì", "àè", "ì"},         // characters, not bytes
    };
    for (const auto& c : cases) {
        PasswordLine p = splitPasswordLine(c.line);
        EXPECT_EQ(p.head, c.head) << c.line;
        EXPECT_EQ(p.tail, c.tail) << c.line;
    }
}

// Lines of ten million characters: the scan must stay in step with the line's length
// (it once put every character in front of what it had gathered, which takes hours).
TEST(splitPasswordLine, TenMillionCharacters)
{
    const size_t n = 10'000'000;
    std::string commas;
    commas.reserve(2 * n);
    for (size_t i = 0; i < n / 2; ++i)
        commas += "5,";
    struct Case {
        const char* name;
        std::string line;
        std::string head, tail;
    } cases[] = {
        {"long stored password", std::string(n, '5') + ",1404", std::string(n, '5'), "1404"},
        {"long check value", "567," + std::string(n, '1'), "567", std::string(n, '1')},
        {"a comma after every character", commas + "9", std::string(n / 2, '5'), "9"},
        {"no comma at all", std::string(n, '7'), "", std::string(n, '7')},
    };
    for (const auto& c : cases) {
        PasswordLine p = splitPasswordLine(c.line);
        EXPECT_TRUE(p.head == c.head) << c.name << ": head of " << p.head.size() << " characters";
        EXPECT_TRUE(p.tail == c.tail) << c.name << ": tail of " << p.tail.size() << " characters";
    }
}

TEST(readPasswordSettings, ReadsTheFirstLineOfTheFile)
{
    struct Case {
        std::string bytes;
        std::string password;
        std::int32_t check;
    } cases[] = {
        {"567,1404\r\n", "ABC", 1404},
        {"567,1404", "ABC", 1404},                // no line end
        {"567,1404\nXYZ,1\n", "ABC", 1404},       // only the first line counts
        {"567,1404\rXYZ,1", "ABC", 1404},
        {"", "", 0},                              // empty file: nothing read
        {"567,\r\n", "ABC", 0},                   // empty check value reads as 0
        {",1404\r\n", "", 1404},                  // comma first: no stored password
        {"567, 14x04 \r\n", "ABC", 1404},         // the check value goes through FiltraCampo mode 1
        {"567\r\n", "", 567},                      // no comma: all tail, no stored password
        {"7\xBD,100", "C\xC3\x89", 100},          // code page bytes: ½ decodes to É
    };
    for (const auto& c : cases) {
        TempFolder dir;
        dir.write("Security.pwd", c.bytes);
        PasswordSettings s = readPasswordSettings(dir.path());
        EXPECT_EQ(s.status, PasswordFileStatus::Read) << c.bytes << ": " << s.problem;
        EXPECT_EQ(s.PasswordDirezione, c.password) << c.bytes;
        EXPECT_EQ(s.ValoreControllo, c.check) << c.bytes;
    }
}

TEST(readPasswordSettings, TenMillionCharacterFirstLine)
{
    TempFolder dir;
    dir.write("Security.pwd", std::string(10'000'000, '5') + ",1404\r\n567,1\r\n");
    PasswordSettings s = readPasswordSettings(dir.path());
    EXPECT_EQ(s.status, PasswordFileStatus::Read) << s.problem;
    EXPECT_TRUE(s.PasswordDirezione == std::string(10'000'000, 'A')) << s.PasswordDirezione.size() << " characters";
    EXPECT_EQ(s.ValoreControllo, 1404);
}

TEST(readPasswordSettings, WrittenPasswordReadsBack)
{
    TempFolder dir;
    ravelt::testing::writeSecurityPwd(dir, "Direzione");
    PasswordSettings s = readPasswordSettings(dir.path());
    EXPECT_EQ(s.PasswordDirezione, "DIREZIONE");
    std::string clear = "DIREZIONE";
    EXPECT_EQ(std::to_string(s.ValoreControllo), CalcolaControllo(clear));
}

TEST(readPasswordSettings, DigitEightIsLostInTheStoredForm)
{
    TempFolder dir;
    ravelt::testing::writeSecurityPwd(dir, "A8B");
    EXPECT_EQ(readPasswordSettings(dir.path()).PasswordDirezione, "AB");
}

TEST(readPasswordSettings, MissingFileIsNotAnError)
{
    TempFolder dir;
    PasswordSettings s = readPasswordSettings(dir.path());
    EXPECT_EQ(s.status, PasswordFileStatus::Missing);
    EXPECT_EQ(s.PasswordDirezione, "");
    EXPECT_EQ(s.ValoreControllo, 0);
}

TEST(readPasswordSettings, UnusableFileSaysWhy)
{
    struct Case {
        std::string bytes;
        std::string fragment;  // expected in the problem text
    } cases[] = {
        {"567,--4", "--4"},                  // signs only, not a number
        {"567,99999999999", "99999999999"},  // beyond 32 bits
        {"567,12-3", "12-3"},
        {"\xF7,10", "decodificare"},         // ÷ has no decoded character
    };
    for (const auto& c : cases) {
        TempFolder dir;
        dir.write("Security.pwd", c.bytes);
        PasswordSettings s = readPasswordSettings(dir.path());
        EXPECT_EQ(s.status, PasswordFileStatus::Unreadable) << c.bytes;
        EXPECT_NE(s.problem.find(c.fragment), std::string::npos) << s.problem;
        EXPECT_EQ(s.PasswordDirezione, "") << c.bytes;
    }
    TempFolder dir;
    std::filesystem::create_directory(dir / "Security.pwd");
    PasswordSettings s = readPasswordSettings(dir.path());
    EXPECT_EQ(s.status, PasswordFileStatus::Unreadable);
    EXPECT_NE(s.problem.find("cartella"), std::string::npos);
}

TEST(gateUsesPassword, CaretOrCapitalP)
{
    struct Case {
        std::string codice;
        bool uses;
    } cases[] = {{"AB", false}, {"", false}, {"^", true}, {"P", true}, {"^P", true}, {"p", false}, {"xKPu", true}, {"R^", true}};
    for (const auto& c : cases)
        EXPECT_EQ(gateUsesPassword(c.codice), c.uses) << c.codice;
}
