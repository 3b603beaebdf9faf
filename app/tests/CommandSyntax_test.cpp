#include "app/ArgumentError.h"
#include "app/CommandSyntax.h"

#include <gtest/gtest.h>

using namespace ravelt;

namespace {

// A command with an operand, two valued options of which one required, two flags and a
// choice between a valued option and a flag.
CommandSyntax prova()
{
    return {"prova",
            {"NOME"},
            {{"from", "DATA", "il primo giorno", true},
             {"counter", "N", "il contatore"},
             {"destination", "DEST", "la destinazione", false, 1},
             {"pdf", "", "il PDF", false, 1},
             {"normal", "", "normale"}},
            "una prova",
            "",
            "ravelt prova X --from 1"};
}

TEST(CommandSyntax, ReadsEveryFormOfAnOptionAndOperand)
{
    struct Case {
        const char* name;
        std::vector<std::string> args;
        std::map<std::string, std::string> values;
        std::set<std::string> flags;
        std::vector<std::string> operands;
    } cases[] = {
        {"spaced value", {"X", "--from", "1"}, {{"from", "1"}}, {}, {"X"}},
        {"value after =", {"--from=1", "X"}, {{"from", "1"}}, {}, {"X"}},
        {"empty value after =", {"X", "--from="}, {{"from", ""}}, {}, {"X"}},
        {"value holding =", {"X", "--from=a=b"}, {{"from", "a=b"}}, {}, {"X"}},
        {"value beginning with -", {"X", "--from", "-5", "--counter", "--pdf"}, {{"from", "-5"}, {"counter", "--pdf"}}, {}, {"X"}},
        {"the last of a repeated option", {"X", "--from", "1", "--from", "2"}, {{"from", "2"}}, {}, {"X"}},
        {"flags anywhere", {"--normal", "X", "--from", "1", "--pdf"}, {{"from", "1"}}, {"normal", "pdf"}, {"X"}},
        {"an operand after --", {"--from", "1", "--", "-x"}, {{"from", "1"}}, {}, {"-x"}},
        {"a lone - is an operand", {"-", "--from", "1"}, {{"from", "1"}}, {}, {"-"}},
        {"an empty operand", {"", "--from", "1"}, {{"from", "1"}}, {}, {""}},
    };
    const CommandSyntax syntax = prova();
    for (const auto& c : cases) {
        try {
            const ParsedArguments p = syntax.parse(c.args);
            EXPECT_FALSE(p.help) << c.name;
            EXPECT_EQ(p.values, c.values) << c.name;
            EXPECT_EQ(p.flags, c.flags) << c.name;
            EXPECT_EQ(p.operands, c.operands) << c.name;
        } catch (const ArgumentError& e) {
            ADD_FAILURE() << c.name << ": " << e.what();
        }
    }
}

TEST(CommandSyntax, RefusesWhatItCannotReadNamingIt)
{
    struct Case {
        std::vector<std::string> args;
        const char* message;
    } cases[] = {
        {{"X", "--from", "1", "--colour", "red"}, "opzione sconosciuta: \"--colour\""},
        {{"X", "--from", "1", "-c"}, "opzione sconosciuta: \"-c\""},
        {{"X", "--from", "1", "--fro"}, "opzione sconosciuta: \"--fro\""},
        {{"X", "--from", "1", "--colour=red"}, "opzione sconosciuta: \"--colour=red\""},
        {{"X", "--from"}, "manca il valore dell'opzione \"--from\""},
        {{"X", "--from", "1", "--pdf=si"}, "l'opzione --pdf non vuole un valore: \"--pdf=si\""},
        {{"X", "--from", "1", "--pdf", "si"}, "argomento inatteso: \"si\""},
        {{"--from", "1"}, "manca l'argomento NOME"},
        {{"X"}, "manca l'opzione --from DATA"},
        {{"X", "--from", "1", "--pdf", "--destination", "D"}, "--destination e --pdf non vanno insieme"},
        {{"X", "--from", "1", "--destination=D", "--pdf"}, "--destination e --pdf non vanno insieme"},
    };
    const CommandSyntax syntax = prova();
    for (const auto& c : cases) {
        std::string told = "(accepted)";
        try {
            syntax.parse(c.args);
        } catch (const ArgumentError& e) {
            told = e.what();
        }
        EXPECT_NE(told.find(c.message), std::string::npos) << ::testing::PrintToString(c.args) << ": " << told;
    }
}

// --help wherever an option may stand asks for the help, whatever is wrong around it; as
// the value of an option, or after "--", it is only a word.
TEST(CommandSyntax, HelpWhereAnOptionMayStand)
{
    const CommandSyntax syntax = prova();
    EXPECT_TRUE(syntax.parse({"--help"}).help);
    EXPECT_TRUE(syntax.parse({"-h", "--colour"}).help);
    EXPECT_TRUE(syntax.parse({"X", "--from", "1", "--help", "Y", "Z"}).help);
    EXPECT_TRUE(syntax.parse({"--colour", "--pdf=si", "X", "Y", "--help"}).help);
    const ParsedArguments value = syntax.parse({"X", "--from", "--help"});
    EXPECT_FALSE(value.help);
    EXPECT_EQ(*value.value("from"), "--help");
    EXPECT_THROW(syntax.parse({"X", "--from", "1", "--", "--help"}), ArgumentError) << "after --, an operand too many";
}

TEST(CommandSyntax, UsageAndHelpShowEveryOptionOnce)
{
    const CommandSyntax syntax = prova();
    EXPECT_EQ(syntax.synopsis(), "ravelt prova NOME --from DATA [--counter N] [--destination DEST | --pdf] [--normal]");
    EXPECT_EQ(syntax.usage(), "uso: " + syntax.synopsis() + "\nle opzioni e un esempio: ravelt prova --help\n");
    EXPECT_EQ(syntax.help(),
              "uso: ravelt prova NOME --from DATA [--counter N] [--destination DEST | --pdf] [--normal]\n"
              "\n"
              "Una prova.\n"
              "\n"
              "opzioni:\n"
              "  --from DATA          il primo giorno\n"
              "  --counter N          il contatore\n"
              "  --destination DEST   la destinazione\n"
              "  --pdf                il PDF\n"
              "  --normal             normale\n"
              "  -h, --help           questo aiuto\n"
              "\n"
              "esempio:\n"
              "  ravelt prova X --from 1\n");
}

}
