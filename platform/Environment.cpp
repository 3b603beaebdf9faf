#include "platform/Environment.h"

#include <cstdlib>

namespace ravelt {

std::optional<std::string> SystemEnvironment::get(const std::string& name) const
{
    const char* v = std::getenv(name.c_str());
    if (!v)
        return std::nullopt;
    return std::string(v);
}

std::optional<std::string> MapEnvironment::get(const std::string& name) const
{
    auto it = vars_.find(name);
    if (it == vars_.end())
        return std::nullopt;
    return it->second;
}

std::filesystem::path userConfigFolder(const Environment& env)
{
    const auto config = env.get("XDG_CONFIG_HOME");
    if (config && !config->empty() && std::filesystem::path(*config).is_absolute())
        return *config;
    const auto home = env.get("HOME");
    if (home && !home->empty())
        return std::filesystem::path(*home) / ".config";
    return {};
}

}
