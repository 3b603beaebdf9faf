#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

namespace ravelt {

// One option of a command, as "--name VALUE" or, for a flag, "--name".
struct OptionSyntax {
    std::string name;      // without the leading "--"
    std::string value;     // how the usage shows its value ("GG/MM/AAAA"); empty for a flag
    std::string help;      // what it means, one line of the help
    bool required = false;
    // Options that share a nonzero group exclude each other; they stand next to each
    // other in the table and the usage shows them as one choice, "[--a X | --b]".
    int group = 0;
    // An option every command takes (--folder): the command's help lists it, its synopsis
    // leaves it out, and the program's usage shows it once for all.
    bool common = false;
};

// A command line read against a command's syntax, before any value is interpreted.
struct ParsedArguments {
    std::map<std::string, std::string> values;  // the valued options given (the last one of a repeated option)
    std::set<std::string> flags;                // the flags given
    std::vector<std::string> operands;          // as many as the syntax names
    bool help = false;                          // --help or -h: nothing else was checked

    // The value of an option, or nullptr when it was not given.
    const std::string* value(const std::string& name) const;
    bool flag(const std::string& name) const { return flags.count(name) != 0; }
};

// The syntax of one command: the single source of its parsing, its usage line and its
// help text.
struct CommandSyntax {
    std::string name;                   // "report"
    std::vector<std::string> operands;  // the operands, each required, as the usage names them ("CARTELLA")
    std::vector<OptionSyntax> options;
    std::string summary;                // what the command does, in a few words, for the program's help
    std::string description;            // more of it, for the command's own help; may be empty
    std::string example;                // one whole command line

    // Reads 'args' (the words after the command's name). Options are "--name VALUE",
    // "--name=VALUE" or "--name" for a flag; a valued option takes the next word whatever
    // it is, so a value may begin with "-". "--" ends the options: every word after it is
    // an operand. Any other word beginning with "-" is an unknown option. --help or -h
    // where an option may stand sets 'help' and nothing else is checked: whoever asks for
    // the help gets it, even from a command line that is wrong. Otherwise throws
    // ArgumentError, quoting the word short, for the first of: an unknown option, a flag
    // given a value, an option without its value, an operand too many; then for an
    // operand missing, a required option missing, two options of one group together.
    ParsedArguments parse(const std::vector<std::string>& args) const;

    // "ravelt report --from GG/MM/AAAA ... [--counter N]": the options every command takes
    // are left out.
    std::string synopsis() const;
    // "uso: " and the synopsis, then where the help is: what a wrong command line gets.
    std::string usage() const;
    // The synopsis, the description, every option with its meaning, and the example.
    std::string help() const;

private:
    const OptionSyntax* option(const std::string& name) const;
};

}
