#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace ravelt::testing {

// A fresh empty folder under the system temp folder, removed with everything in it
// when the object goes away. Tests use it as a workstation's working folder.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Writes bytes to a file in the folder, replacing it.
    void write(const std::string& name, const std::string& bytes) const;
    // Reads a file of the folder whole, as bytes; empty when missing.
    std::string read(const std::string& name) const;

private:
    std::filesystem::path path_;
};

// The names of the entries of a folder (files, folders, links), sorted.
std::vector<std::string> fileNames(const std::filesystem::path& folder);

// Makes the given folder the process's current folder for the lifetime of the object,
// then goes back. The program works in its current folder, as a workstation does.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::filesystem::path& folder);
    ~CurrentFolder();

private:
    std::filesystem::path previous_;
};

}
