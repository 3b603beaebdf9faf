#include "platform/AtomicFile.h"
#include "testing/FileSizeLimit.h"
#include "testing/TempFolder.h"

#include <chrono>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace ravelt;
using ravelt::testing::fileNames;
namespace fs = std::filesystem;

namespace {

// A temporary file that a writer of another process is filling right now: open and
// locked, as a live writer holds it.
class LiveWriter {
public:
    explicit LiveWriter(const fs::path& file) : fd_(::open(file.c_str(), O_RDWR | O_CLOEXEC))
    {
        if (fd_ < 0 || flock(fd_, LOCK_EX | LOCK_NB) != 0)
            throw std::runtime_error("cannot lock " + file.string());
    }
    ~LiveWriter() { ::close(fd_); }

private:
    int fd_;
};

// What a killed run leaves beside the file it was replacing, and what else may lie
// there: only the abandoned temporary files of the same output go when that output is
// written again.
TEST(AtomicFile, AbandonedTemporaryFilesOfTheSameOutputAreRemovedAndNothingElse)
{
    ravelt::testing::TempFolder dir;
    const auto earlier = fs::file_time_type::clock::now() - std::chrono::hours(1);
    struct Case {
        const char* name;
        bool old;       // last written before this process started
        bool locked;    // a writer holds it open
        bool removed;
        const char* why;
    } cases[] = {
        {".FD3.tmp-aB3xY9", true, false, true, "left by a killed run"},
        {".FD3.tmp-Zz0000", true, false, true, "left by another killed run"},
        {".FD3.tmp-cD4wX8", true, true, false, "a writer is filling it right now"},
        {".FD3.tmp-eF5vW7", false, false, false, "written since this process started"},
        {".FD30.tmp-aB3xY9", true, false, false, "another workstation's report"},
        {".report.pdf.tmp-aB3xY9", true, false, false, "another output"},
        {".FD3.tmp-aB3xY", true, false, false, "not a name the program makes"},
        {".FD3.tmp-aB3xY90", true, false, false, "not a name the program makes"},
        {".FD3.tmp-aB3-Y9", true, false, false, "not a name the program makes"},
        {"FD3.tmp-aB3xY9", true, false, false, "not hidden: not the program's"},
        {".FD3.bak", true, false, false, "the operator's own file"},
    };
    std::vector<std::unique_ptr<LiveWriter>> writers;
    for (const auto& c : cases) {
        dir.write(c.name, "parziale");
        if (c.old)
            fs::last_write_time(dir / c.name, earlier);
        if (c.locked)
            writers.push_back(std::make_unique<LiveWriter>(dir / c.name));
    }
    fs::create_directory(dir / ".FD3.tmp-dIr123");
    fs::last_write_time(dir / ".FD3.tmp-dIr123", earlier);
    dir.write("altro", "x");
    fs::create_symlink(dir / "altro", dir / ".FD3.tmp-LnK123");

    writeFileAtomically(dir / "FD3", "nuovo");

    EXPECT_EQ(dir.read("FD3"), "nuovo");
    for (const auto& c : cases)
        EXPECT_EQ(fs::exists(dir / c.name), !c.removed) << c.name << ": " << c.why;
    EXPECT_TRUE(fs::is_directory(dir / ".FD3.tmp-dIr123")) << "a folder is never removed";
    EXPECT_TRUE(fs::is_symlink(dir / ".FD3.tmp-LnK123")) << "a link is not a temporary file of the program";
    EXPECT_EQ(dir.read("altro"), "x");
}

// A write that the disk refuses (here: past the process's file size limit) is an error
// naming the file; the file keeps its previous bytes and no temporary file stays, both
// when the refusal comes while writing and when it comes only at the commit.
TEST(AtomicFile, RefusedWriteKeepsThePreviousFileAndLeavesNothingBehind)
{
    struct Case {
        size_t bytes;
        const char* where;
    } cases[] = {{1000, "within the write buffer: refused at commit"}, {300000, "refused while writing"}};
    for (const auto& c : cases) {
        ravelt::testing::TempFolder dir;
        dir.write("FD3", "stampa precedente");
        std::string message;
        {
            ravelt::testing::FileSizeLimit full(512);
            try {
                AtomicFile f(dir / "FD3");
                for (size_t done = 0; done < c.bytes; done += 100)
                    f.write(std::string(100, 'x'));
                f.commit();
            } catch (const std::runtime_error& e) {
                message = e.what();
            }
        }
        EXPECT_NE(message.find((dir / "FD3").string()), std::string::npos) << c.where << ": " << message;
        EXPECT_NE(message.find("troppo grande"), std::string::npos) << c.where << ": the reason in words: " << message;
        EXPECT_EQ(dir.read("FD3"), "stampa precedente") << c.where;
        EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"FD3"}) << c.where;
    }
}

// A file reached through a symbolic link is replaced where it lies; the link stays.
TEST(AtomicFile, LinkedFileIsReplacedBehindTheLink)
{
    ravelt::testing::TempFolder dir;
    fs::create_directory(dir / "spool");
    dir.write("spool/stampa.txt", "vecchia");
    fs::create_symlink(dir / "spool" / "stampa.txt", dir / "stampa.txt");
    writeFileAtomically(dir / "stampa.txt", "nuova");
    EXPECT_TRUE(fs::is_symlink(dir / "stampa.txt"));
    EXPECT_EQ(dir.read("spool/stampa.txt"), "nuova");
    EXPECT_EQ(fileNames(dir / "spool"), std::vector<std::string>{"stampa.txt"});
}

// A replaced file keeps its permissions; a new one can be read by everyone.
TEST(AtomicFile, PermissionsOfTheReplacedFileAreKept)
{
    ravelt::testing::TempFolder dir;
    dir.write("riservato", "x");
    fs::permissions(dir / "riservato", fs::perms::owner_read | fs::perms::owner_write);
    writeFileAtomically(dir / "riservato", "y");
    writeFileAtomically(dir / "nuovo", "y");
    EXPECT_EQ(fs::status(dir / "riservato").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(fs::status(dir / "nuovo").permissions() & fs::perms::others_read, fs::perms::others_read);
}

}
