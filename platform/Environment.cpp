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

}
