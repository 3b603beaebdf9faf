#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace ravelt {

// Writes a file so that it is never seen half-written: the bytes go to a temporary file
// beside the target (".NAME.tmp-XXXXXX"), and commit() makes them durable (fsync) and
// renames the temporary file over the target in one step, then syncs the folder.
// Destroyed without commit() (an error on the way), the temporary file is removed and
// the target keeps its previous content. Bytes are written as given: no newline or
// code-page changes. A target that is a symbolic link is replaced where the link
// points; a replaced file keeps its permissions, a new one is readable by everyone.
//
// The writer holds a lock on its temporary file until the rename. A process that was
// killed leaves its temporary file behind, unlocked; the next AtomicFile for the same
// target removes such files, and only those: the name must be this target's pattern,
// the file unlocked and last written before the running process started, so that a
// file another process (another workstation on a shared folder) is writing right now
// is never touched.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Raises std::runtime_error naming the file and the reason when the disk refuses
    // the bytes (full disk, file size limit...). The bytes may be held in memory and
    // reach the disk only later, so commit() can raise the same errors.
    void write(std::string_view bytes);
    // Raises std::runtime_error naming the file when the bytes cannot all be made
    // durable or the target cannot be replaced; the target is then unchanged.
    void commit();
    const std::filesystem::path& target() const { return target_; }

private:
    void flush();
    [[noreturn]] void fail(const std::string& what, int code);

    std::filesystem::path target_;  // as given
    std::filesystem::path final_;   // the file replaced: the target, or where its link points
    std::filesystem::path temp_;
    int fd_ = -1;
    std::string buffer_;
    bool committed_ = false;
    bool failed_ = false;  // a write was refused: the file can no longer be committed
};

// Reads a whole file as bytes. Raises std::runtime_error naming it when it cannot be read.
std::string readFileBytes(const std::filesystem::path& path);

// Replaces a file's content with the bytes in one step (through AtomicFile).
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}
