#include "platform/TextDevice.h"
#include "testing/FileSizeLimit.h"
#include "testing/TempFolder.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using namespace ravelt;
using ravelt::testing::fileNames;

namespace {

TEST(openTextDevice, FilesAreRelativeToTheWorkingFolderAndTruncated)
{
    ravelt::testing::TempFolder dir;
    dir.write("aghi.txt", "stampa precedente, piu' lunga");
    const std::string bytes("\x1b\x0f\0\0\0 \r\n\xb3" "abc\xb3\r\n\f", 16);
    struct Case {
        std::string device;
        std::string file;
    } cases[] = {{"aghi.txt", "aghi.txt"}, {(dir / "assoluto.prn").string(), "assoluto.prn"}};
    for (const auto& c : cases) {
        auto d = openTextDevice(c.device, dir.path(), {"Laser"}, "prova");
        d->write(bytes.substr(0, 7));
        d->write(bytes.substr(7));
        d->close();
        EXPECT_EQ(dir.read(c.file), bytes) << c.device << ": bytes unchanged, nothing left of the old file";
    }
}

TEST(openTextDevice, DeviceNodeIsWrittenAsAFile)
{
    auto d = openTextDevice("/dev/null", "/nonexistent", {}, "prova");
    d->write("x\r\n");
    EXPECT_NO_THROW(d->close());
    EXPECT_EQ(d->description(), "/dev/null");
}

// A file device receives the job whole or not at all: a job that is not closed (the
// program stopped on the way) or whose bytes the disk refuses leaves the previous
// print in the file, and no temporary file beside it.
TEST(openTextDevice, FileKeepsThePreviousPrintUntilTheJobIsComplete)
{
    struct Case {
        const char* name;
        bool full;   // the disk refuses the bytes
        bool close;  // the job gets to close()
    } cases[] = {
        {"job abandoned before close", false, false},
        {"disk full while writing", true, false},
        {"disk full at close", true, true},
    };
    for (const auto& c : cases) {
        ravelt::testing::TempFolder dir;
        dir.write("aghi.txt", "stampa precedente");
        std::string message;
        {
            std::optional<ravelt::testing::FileSizeLimit> full;
            if (c.full)
                full.emplace(512);
            try {
                auto d = openTextDevice("aghi.txt", dir.path(), {}, "prova");
                d->write(std::string(c.close ? 1000 : 300000, 'x'));
                if (c.close)
                    d->close();
            } catch (const std::runtime_error& e) {
                message = e.what();
            }
        }
        const std::string now = dir.read("aghi.txt");
        EXPECT_TRUE(now == "stampa precedente") << c.name << ": the file now holds " << now.size() << " bytes";
        EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"aghi.txt"}) << c.name;
        if (c.full) {
            EXPECT_NE(message.find("aghi.txt"), std::string::npos) << c.name << ": " << message;
        }
    }
}

// Device nodes and pipes are written as a byte stream, never replaced by a file: the
// reader at the other end gets the bytes and the node stays what it was. A device that
// refuses the bytes is an error naming it; a device node that is not there is not
// created.
TEST(openTextDevice, DeviceNodesAndPipesAreStreamedNotReplaced)
{
    ravelt::testing::TempFolder dir;
    const auto pipe = dir / "porta";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    // The reader end is open before the device is, so the bytes wait in the pipe.
    int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    {
        auto d = openTextDevice(pipe.string(), dir.path(), {}, "prova");
        d->write("\x1b\x0funo\r\n");
        d->write("due\f");
        d->close();
    }
    std::string received;
    char buf[256];
    for (ssize_t n; (n = ::read(reader, buf, sizeof buf)) > 0;)
        received.append(buf, static_cast<size_t>(n));
    ::close(reader);
    EXPECT_EQ(received, "\x1b\x0funo\r\ndue\f");
    EXPECT_TRUE(std::filesystem::is_fifo(pipe));
    EXPECT_EQ(fileNames(dir.path()), std::vector<std::string>{"porta"});

    try {
        auto full = openTextDevice("/dev/full", dir.path(), {}, "prova");
        full->write("x\r\n");
        full->close();
        ADD_FAILURE() << "/dev/full took the bytes";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("/dev/full"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("disco pieno"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));

    const std::filesystem::path missing = "/dev/ravelt-prova-lp9";
    EXPECT_THROW(openTextDevice(missing.string(), dir.path(), {}, "prova")->close(), std::runtime_error);
    EXPECT_FALSE(std::filesystem::exists(missing)) << "no file is made among the devices";
    std::filesystem::remove(missing);
}

TEST(openTextDevice, DeviceThatCannotBeOpenedIsNamed)
{
    ravelt::testing::TempFolder dir;
    for (const std::string device : {"manca/aghi.txt", ""}) {
        try {
            openTextDevice(device, dir.path(), {}, "prova");
            ADD_FAILURE() << "opened " << device;
        } catch (const std::runtime_error& e) {
            if (!device.empty()) {
                EXPECT_NE(std::string(e.what()).find("manca/aghi.txt"), std::string::npos) << e.what();
            }
        }
    }
}

TEST(openTextDevice, InstalledQueueNameIsARawJobNotAFile)
{
    ravelt::testing::TempFolder dir;
    auto d = openTextDevice("Laser", dir.path(), {"Laser", "Aghi"}, "prova");
    EXPECT_EQ(d->description(), "coda di stampa Laser");
    EXPECT_FALSE(std::filesystem::exists(dir / "Laser"));
    auto f = openTextDevice("laser", dir.path(), {"Laser"}, "prova");
    f->close();
    EXPECT_TRUE(std::filesystem::exists(dir / "laser")) << "queue names compare exactly";
}

}
