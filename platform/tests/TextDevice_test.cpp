#include "platform/TextDevice.h"
#include "testing/TempFolder.h"

#include <gtest/gtest.h>

using namespace ravelt;

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
    EXPECT_TRUE(std::filesystem::exists(dir / "laser")) << "queue names compare exactly";
}

}
