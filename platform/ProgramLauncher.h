#pragma once
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ravelt {

// Finds a program started by plain name, in the order the suite looks for its sibling
// programs: the working folder, the folder of the running program, then each folder of
// the search path 'pathVariable' (colon-separated, as PATH). Only regular files that may
// be executed count. nullopt when none is found.
std::optional<std::filesystem::path> findProgram(const std::string& name, const std::filesystem::path& workingFolder,
                                                 const std::filesystem::path& ownFolder, const std::string& pathVariable);

// The folder of the running program's executable.
std::filesystem::path runningProgramFolder();

// Starts other programs of the suite. The platform's launcher starts real processes;
// tests record the calls.
class ProgramLauncher {
public:
    virtual ~ProgramLauncher() = default;
    // Starts the program in 'folder' with the environment changed by 'env' and returns
    // at once, without waiting. A program that cannot be started raises
    // std::runtime_error naming it.
    virtual void start(const std::filesystem::path& program, const std::filesystem::path& folder,
                       const std::map<std::string, std::string>& env) = 0;
    // Starts the program with the arguments, lets its output through to ours, waits for
    // it and returns its exit code. A program that cannot be started raises
    // std::runtime_error.
    virtual int run(const std::filesystem::path& program, const std::filesystem::path& folder,
                    const std::map<std::string, std::string>& env, const std::vector<std::string>& args) = 0;
};

class SystemProgramLauncher : public ProgramLauncher {
public:
    void start(const std::filesystem::path& program, const std::filesystem::path& folder,
               const std::map<std::string, std::string>& env) override;
    int run(const std::filesystem::path& program, const std::filesystem::path& folder,
            const std::map<std::string, std::string>& env, const std::vector<std::string>& args) override;
};

}
