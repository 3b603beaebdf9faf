#include "app/CommandLine.h"
#include "app/CommandSyntax.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

using namespace ravelt;

namespace {

// The manual page as a reader sees its words: the roff escapes of a hyphen and a
// backslash made plain, the font changes and the macro names dropped, the quotes that
// group a macro's arguments removed, runs of blanks made one. Sections are keyed by their heading (".SH X" as
// "X", ".SS y" as "X/y").
std::map<std::string, std::string> manualSections()
{
    std::ifstream in(RAVELT_MANUAL);
    std::map<std::string, std::string> sections;
    std::string line, section = "", top = "";
    sections[""];
    while (std::getline(in, line)) {
        for (const auto& [from, to] : {std::pair<std::string, std::string>{"\\-", "-"}, {"\\e", "\\"}, {"\\fB", ""},
                                       {"\\fI", ""}, {"\\fR", ""}, {"\\fP", ""}, {"\"", ""}})
            for (size_t at = line.find(from); at != std::string::npos; at = line.find(from, at + to.size()))
                line.replace(at, from.size(), to);
        for (size_t at = line.find("  "); at != std::string::npos; at = line.find("  ", at))
            line.erase(at, 1);
        if (line.starts_with(".SH ")) {
            top = section = line.substr(4);
            continue;
        }
        if (line.starts_with(".SS ")) {
            section = top + "/" + line.substr(4);
            continue;
        }
        if (line.starts_with("."))
            line = line.find(' ') == std::string::npos ? "" : line.substr(line.find(' ') + 1);
        sections[section] += line + "\n";
    }
    return sections;
}

bool says(const std::string& text, const std::string& words)
{
    return text.find(words) != std::string::npos;
}

}

// The page is written by hand; these checks keep it from drifting from the command table,
// which makes the program's own --help: every command has its section, with every
// operand and option (and its value) the command takes, and no section is left over.
TEST(ManualPage, CoversEveryCommandAndOptionOfTheCommandLine)
{
    ASSERT_TRUE(std::ifstream(RAVELT_MANUAL).good()) << "no page at " RAVELT_MANUAL;
    auto sections = manualSections();
    size_t commandSections = 0;
    for (const auto& [name, text] : sections)
        commandSections += name.starts_with("COMANDI/");
    const auto syntaxes = commandSyntaxes();
    EXPECT_EQ(commandSections, syntaxes.size()) << "a section for each command, no more";
    for (const auto& c : syntaxes) {
        const std::string key = "COMANDI/" + c.name;
        ASSERT_TRUE(sections.count(key)) << "no section for " << c.name;
        const std::string& text = sections[key];
        EXPECT_TRUE(says(text, "ravelt " + c.name)) << c.name;
        for (const auto& operand : c.operands)
            EXPECT_TRUE(says(text, operand)) << c.name << " lacks its operand " << operand;
        for (const auto& o : c.options) {
            const std::string shown = "--" + o.name + (o.value.empty() ? "" : " " + o.value);
            const std::string& where = o.common ? sections["OPZIONI DI OGNI COMANDO"] : text;
            EXPECT_TRUE(says(where, shown + "\n")) << c.name << " lacks " << shown;
        }
    }
}

TEST(ManualPage, NamesTheVersionAndTheVariablesAnOperatorSets)
{
    auto sections = manualSections();
    EXPECT_TRUE(says(sections[""], "ravelt " RAVELT_VERSION)) << sections[""];
    for (const char* variable : {"PCLocal", "NTerm", "RAVELT_PASSWORD", "RAVELT_FOLDER", "SPEDIX_ATTESA", "XDG_CONFIG_HOME"})
        EXPECT_TRUE(says(sections["AMBIENTE"], std::string(variable) + "\n")) << variable;
    EXPECT_TRUE(says(sections["FILE"], "~/.config/ravelt/folder"));
}
