#include "app/CommandSyntax.h"

#include "app/ArgumentError.h"
#include "app/ShownArgument.h"

#include <algorithm>
#include <cctype>

namespace ravelt {

namespace {

// "--name VALUE" or "--name", as the usage and the help show an option.
std::string shown(const OptionSyntax& o)
{
    return "--" + o.name + (o.value.empty() ? "" : " " + o.value);
}

}

const std::string* ParsedArguments::value(const std::string& name) const
{
    auto it = values.find(name);
    return it == values.end() ? nullptr : &it->second;
}

const OptionSyntax* CommandSyntax::option(const std::string& name) const
{
    for (const auto& o : options)
        if (o.name == name)
            return &o;
    return nullptr;
}

ParsedArguments CommandSyntax::parse(const std::vector<std::string>& args) const
{
    ParsedArguments p;
    std::string wrong;  // the first reason to refuse the words; told unless help is asked for
    auto refuse = [&wrong](const std::string& reason) {
        if (wrong.empty())
            wrong = reason;
    };
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool isOption = !optionsEnded && word.size() > 1 && word[0] == '-';
        if (!isOption) {
            if (p.operands.size() == operands.size())
                refuse("argomento inatteso: " + shownArgument(word));
            else
                p.operands.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (word == "--help" || word == "-h") {
            p.help = true;
            return p;
        }
        const size_t equals = word.find('=');  // npos: no joined value
        const std::string name = equals == std::string::npos ? word.substr(2) : word.substr(2, equals - 2);
        const OptionSyntax* o = word.starts_with("--") ? option(name) : nullptr;
        if (!o)
            refuse("opzione sconosciuta: " + shownArgument(word));
        else if (o->value.empty() && equals != std::string::npos)
            refuse("l'opzione --" + o->name + " non vuole un valore: " + shownArgument(word));
        else if (o->value.empty())
            p.flags.insert(o->name);
        else if (equals != std::string::npos)
            p.values[o->name] = word.substr(equals + 1);
        else if (i + 1 < args.size())
            p.values[o->name] = args[++i];
        else
            refuse("manca il valore dell'opzione " + shownArgument(word));
    }
    if (!wrong.empty())
        throw ArgumentError(wrong);
    if (p.operands.size() < operands.size())
        throw ArgumentError("manca l'argomento " + operands[p.operands.size()]);
    std::map<int, const OptionSyntax*> chosen;  // the option given of each group
    for (const auto& o : options) {
        const bool given = p.values.count(o.name) || p.flags.count(o.name);
        if (o.required && !given)
            throw ArgumentError("manca l'opzione " + shown(o));
        if (!given || o.group == 0)
            continue;
        const auto [first, alone] = chosen.emplace(o.group, &o);
        if (!alone)
            throw ArgumentError("--" + first->second->name + " e --" + o.name + " non vanno insieme");
    }
    return p;
}

std::string CommandSyntax::synopsis() const
{
    std::string s = "ravelt " + name;
    for (const auto& operand : operands)
        s += " " + operand;
    for (size_t i = 0; i < options.size(); ++i) {
        const OptionSyntax& o = options[i];
        if (o.common)
            continue;
        if (o.required) {
            s += " " + shown(o);
            continue;
        }
        s += " [" + shown(o);
        while (o.group != 0 && i + 1 < options.size() && options[i + 1].group == o.group)
            s += " | " + shown(options[++i]);
        s += "]";
    }
    return s;
}

std::string CommandSyntax::usage() const
{
    return "uso: " + synopsis() + "\nle opzioni e un esempio: ravelt " + name + " --help\n";
}

std::string CommandSyntax::help() const
{
    std::string sentence = summary;
    if (!sentence.empty())
        sentence[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(sentence[0])));
    std::string h = "uso: " + synopsis() + "\n\n" + sentence + ".\n";
    if (!description.empty())
        h += description + "\n";
    const std::string helpOption = "-h, --help";
    size_t width = helpOption.size();
    for (const auto& o : options)
        width = std::max(width, shown(o).size());
    auto line = [width](const std::string& left, const std::string& text) {
        return "  " + left + std::string(width + 3 - left.size(), ' ') + text + "\n";
    };
    h += "\nopzioni:\n";
    for (const auto& o : options)
        h += line(shown(o), o.help);
    h += line(helpOption, "questo aiuto");
    h += "\nesempio:\n  " + example + "\n";
    return h;
}

}
