#include "platform/ProgramLauncher.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <stdexcept>
#include <unistd.h>

namespace ravelt {

namespace {

bool executable(const std::filesystem::path& p)
{
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec) && ::access(p.c_str(), X_OK) == 0;
}

void prepared(QProcess& p, const std::filesystem::path& program, const std::filesystem::path& folder,
                   const std::map<std::string, std::string>& env)
{
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    for (const auto& [k, v] : env)
        e.insert(QString::fromStdString(k), QString::fromStdString(v));
    p.setProcessEnvironment(e);
    p.setProgram(QString::fromStdString(program.string()));
    p.setWorkingDirectory(QString::fromStdString(folder.string()));

}

}

std::optional<std::filesystem::path> findProgram(const std::string& name, const std::filesystem::path& workingFolder,
                                                 const std::filesystem::path& ownFolder, const std::string& pathVariable)
{
    if (name.empty())
        return std::nullopt;
    if (name.find('/') != std::string::npos) {
        std::filesystem::path p(name);
        if (p.is_relative())
            p = workingFolder / p;
        return executable(p) ? std::optional(p) : std::nullopt;
    }
    for (const auto& dir : {workingFolder, ownFolder})
        if (!dir.empty() && executable(dir / name))
            return dir / name;
    size_t start = 0;
    while (start <= pathVariable.size()) {
        size_t end = pathVariable.find(':', start);
        if (end == std::string::npos)
            end = pathVariable.size();
        std::string dir = pathVariable.substr(start, end - start);
        // An empty entry of the search path is the current folder, as for the shell.
        std::filesystem::path candidate = (dir.empty() ? workingFolder : std::filesystem::path(dir)) / name;
        if (executable(candidate))
            return candidate;
        start = end + 1;
    }
    return std::nullopt;
}

std::filesystem::path runningProgramFolder()
{
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::path() : exe.parent_path();
}

void SystemProgramLauncher::start(const std::filesystem::path& program, const std::filesystem::path& folder,
                                  const std::map<std::string, std::string>& env)
{
    QProcess p;
    prepared(p, program, folder, env);
    if (!p.startDetached())
        throw std::runtime_error("impossibile avviare il programma " + program.string() + ": " + p.errorString().toStdString());
}

int SystemProgramLauncher::run(const std::filesystem::path& program, const std::filesystem::path& folder,
                               const std::map<std::string, std::string>& env, const std::vector<std::string>& args)
{
    QProcess p;
    prepared(p, program, folder, env);
    QStringList arguments;
    for (const auto& a : args)
        arguments << QString::fromStdString(a);
    p.setArguments(arguments);
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.setInputChannelMode(QProcess::ForwardedInputChannel);
    p.start();
    if (!p.waitForStarted(30000))
        throw std::runtime_error("impossibile avviare il programma " + program.string() + ": " + p.errorString().toStdString());
    p.waitForFinished(-1);
    if (p.exitStatus() != QProcess::NormalExit)
        throw std::runtime_error("il programma " + program.string() + " si è interrotto");
    return p.exitCode();
}

}
