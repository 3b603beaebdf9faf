#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ravelt {

// A text print device: the bytes written to it reach the device exactly as given, with
// no newline or code-page translation. close() delivers what was written; a device that
// cannot take the bytes raises std::runtime_error naming the device and the reason.
class TextDevice {
public:
    virtual ~TextDevice() = default;
    virtual void write(std::string_view bytes) = 0;
    virtual void close() = 0;
    // The device as the operator knows it: the file path or the queue name.
    virtual std::string description() const = 0;
};

// A file or a device node (/dev/usb/lp0), created or truncated when opened. A relative
// path is taken from the working folder.
class FileTextDevice : public TextDevice {
public:
    FileTextDevice(const std::string& device, const std::filesystem::path& folder);
    ~FileTextDevice() override;
    void write(std::string_view bytes) override;
    void close() override;
    std::string description() const override { return path_.string(); }

private:
    std::filesystem::path path_;
    int fd_ = -1;
};

// A print queue of the system receiving the bytes as one raw job (no filters): the
// bytes are gathered and sent when the device is closed.
class CupsRawTextDevice : public TextDevice {
public:
    CupsRawTextDevice(std::string queue, std::string title);
    void write(std::string_view bytes) override { bytes_.append(bytes); }
    void close() override;
    std::string description() const override { return "coda di stampa " + queue_; }

private:
    std::string queue_;
    std::string title_;
    std::string bytes_;
    bool closed_ = false;
};

// Opens the device a text-device destination names: an installed print queue (one of
// 'queues', compared exactly) receives a raw job; any other name is a file or device
// node, relative to the working folder unless absolute.
std::unique_ptr<TextDevice> openTextDevice(const std::string& device, const std::filesystem::path& folder,
                                           const std::vector<std::string>& queues, const std::string& title);

}
