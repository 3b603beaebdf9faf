// Arguments far longer than any date, number or name, passed to the commands in-process:
// a megabyte is more than the system lets a program receive on its command line, but a
// script building one by mistake gets its argument cut at that limit, still huge.
#include "app/CommandLine.h"
#include "app/TablePrintCommand.h"
#include "testing/TempFolder.h"

#include <functional>
#include <gtest/gtest.h>

namespace {

using Command = std::function<int(const std::vector<std::string>&)>;

// A command run with a program state of its own, as main gives it.
template <typename Run>
Command withState(Run run)
{
    return [run](const std::vector<std::string>& args) {
        ravelt::ProgramState state;
        return run(args, state);
    };
}

TEST(LongArguments, AreRefusedWithAShortMessageThatGivesTheirLength)
{
    ravelt::testing::TempFolder dir;
    ravelt::testing::CurrentFolder here(dir.path());
    const std::string digits(1 << 20, '1');
    const std::string letters(1 << 20, 'a');
    const std::string told = "(1048576 caratteri)";
    struct Case {
        const char* name;
        Command command;
        std::vector<std::string> args;
    } cases[] = {
        {"report start", withState(ravelt::commandReport), {"--from", digits, "--to", "01/01/2024"}},
        {"report end", withState(ravelt::commandReport), {"--from", "01/01/2024", "--to", letters}},
        {"report counter", withState(ravelt::commandReport), {"--from", "01/01/2024", "--to", "02/01/2024", "--counter", digits}},
        {"report type", withState(ravelt::commandReport), {"--from", "01/01/2024", "--to", "02/01/2024", "--type", letters}},
        {"report option", withState(ravelt::commandReport), {"--" + letters.substr(2), "1"}},
        {"demo days", ravelt::commandDemo, {"hotel", "--days", digits}},
        {"demo seed", ravelt::commandDemo, {"hotel", "--seed", digits}},
        {"demo start", ravelt::commandDemo, {"hotel", "--from", letters}},
        {"demo folder", ravelt::commandDemo, {letters}},
        {"table-print name", withState(ravelt::commandTablePrint), {letters}},
    };
    for (const auto& c : cases) {
        ::testing::internal::CaptureStderr();
        ::testing::internal::CaptureStdout();
        const int rc = c.command(c.args);
        const std::string err = ::testing::internal::GetCapturedStderr();
        ::testing::internal::GetCapturedStdout();
        EXPECT_NE(rc, 0) << c.name;
        EXPECT_LT(err.size(), 400u) << c.name << ": " << err.substr(0, 400);
        EXPECT_NE(err.find(told), std::string::npos) << c.name << ": " << err.substr(0, 400);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "nothing is created";
}

}
