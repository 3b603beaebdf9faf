#pragma once
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace ravelt {

// The process environment as the program reads it: per-workstation variables such as
// PCLocal, NTerm and the ones named after print destinations. Tests pass a MapEnvironment.
class Environment {
public:
    virtual ~Environment() = default;
    // The variable's value; nullopt when it is not set.
    virtual std::optional<std::string> get(const std::string& name) const = 0;
};

class SystemEnvironment : public Environment {
public:
    std::optional<std::string> get(const std::string& name) const override;
};

class MapEnvironment : public Environment {
public:
    MapEnvironment() = default;
    MapEnvironment(std::map<std::string, std::string> vars) : vars_(std::move(vars)) {}
    std::optional<std::string> get(const std::string& name) const override;
    void set(const std::string& name, const std::string& value) { vars_[name] = value; }

private:
    std::map<std::string, std::string> vars_;
};

// The user's configuration folder: XDG_CONFIG_HOME when it is set to an absolute path
// (a relative one is ignored, as the desktop's base-directory rules ask), otherwise
// .config in HOME. Empty when neither names a folder.
std::filesystem::path userConfigFolder(const Environment& env);

}
