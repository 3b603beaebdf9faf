#pragma once
#include "platform/AtomicFile.h"

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

// A file, a device node (/dev/usb/lp0) or a named pipe. A relative path is taken from
// the working folder.
//
// A plain file (or a name that does not exist yet, outside /dev) receives the job whole
// or not at all: the bytes go to a temporary file beside it, which close() makes durable
// and renames over it; until then, and for good when the job fails or is not closed,
// the file keeps the previous print. A device node or a pipe is opened as it is and
// written as a byte stream, as a printer port takes it; a path under /dev that does not
// exist is an error (the device is not there), never a new file.
class FileTextDevice : public TextDevice {
public:
    FileTextDevice(const std::string& device, const std::filesystem::path& folder);
    ~FileTextDevice() override;
    void write(std::string_view bytes) override;
    void close() override;
    std::string description() const override { return path_.string(); }

private:
    std::filesystem::path path_;
    std::unique_ptr<AtomicFile> file_;  // a plain file
    int fd_ = -1;                       // a device node or a pipe
    bool closed_ = false;
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
