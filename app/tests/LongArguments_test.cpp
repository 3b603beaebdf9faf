// Arguments far longer than any date, number or name, passed to the commands in-process:
// a megabyte is more than the system lets a program receive on its command line, but a
// script building one by mistake gets its argument cut at that limit, still huge.
#include "app/CommandLine.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

TEST(LongArguments, AreRefusedWithAShortMessageThatGivesTheirLength)
{
    ravelt::testing::TempFolder dir;
    ravelt::testing::CurrentFolder here(dir.path());
    const std::string digits(1 << 20, '1');
    const std::string letters(1 << 20, 'a');
    const std::string told = "(1048576 caratteri)";
    struct Case {
        const char* name;
        std::vector<std::string> args;
    } cases[] = {
        {"report start", {"report", "--from", digits, "--to", "01/01/2024"}},
        {"report end", {"report", "--from", "01/01/2024", "--to", letters}},
        {"report counter", {"report", "--from", "01/01/2024", "--to", "02/01/2024", "--counter", digits}},
        {"report type", {"report", "--from", "01/01/2024", "--to", "02/01/2024", "--type", letters}},
        {"report option", {"report", "--" + letters.substr(2), "1"}},
        {"demo days", {"demo", "hotel", "--days", digits}},
        {"demo seed", {"demo", "hotel", "--seed", digits}},
        {"demo start", {"demo", "hotel", "--from", letters}},
        {"demo folder", {"demo", letters}},
        {"table-print name", {"table-print", letters}},
    };
    for (const auto& c : cases) {
        std::ostringstream out, err;
        ravelt::ProgramState state;
        const int rc = ravelt::runCommandLine(c.args, {out, err}, state);
        EXPECT_NE(rc, 0) << c.name;
        EXPECT_LT(err.str().size(), 400u) << c.name << ": " << err.str().substr(0, 400);
        EXPECT_NE(err.str().find(told), std::string::npos) << c.name << ": " << err.str().substr(0, 400);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "nothing is created";
}

}
