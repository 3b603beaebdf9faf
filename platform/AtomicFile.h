#pragma once
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace ravelt {

// Writes a file so that it is never seen half-written: the bytes go to a temporary file
// beside the target, and commit() renames it over the target in one step. Destroyed
// without commit() (an error on the way), the temporary file is removed and the target
// keeps its previous content. Bytes are written as given: no newline or code-page changes.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Raises std::runtime_error naming the file when the write fails (disk full...).
    void write(std::string_view bytes);
    void commit();
    const std::filesystem::path& target() const { return target_; }

private:
    std::filesystem::path target_;
    std::filesystem::path temp_;
    std::FILE* file_ = nullptr;
    bool committed_ = false;
};

// Reads a whole file as bytes. Raises std::runtime_error naming it when it cannot be read.
std::string readFileBytes(const std::filesystem::path& path);

// Replaces a file's content with the bytes in one step (through AtomicFile).
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}
