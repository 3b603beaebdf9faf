#include "platform/TextDevice.h"

#include "platform/CupsJob.h"
#include "platform/SystemError.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace ravelt {

namespace {

// True for a path in the system's folder of device nodes.
bool underDev(const std::filesystem::path& path)
{
    const std::filesystem::path normal = path.lexically_normal();
    auto it = normal.begin();
    return it != normal.end() && *it == "/" && ++it != normal.end() && *it == "dev";
}

}

FileTextDevice::FileTextDevice(const std::string& device, const std::filesystem::path& folder)
{
    if (device.empty())
        throw std::runtime_error("la destinazione non indica il dispositivo su cui stampare");
    std::filesystem::path p(device);
    path_ = p.is_absolute() ? p : folder / p;
    struct stat st;
    const bool exists = ::stat(path_.c_str(), &st) == 0;
    if ((exists && !S_ISREG(st.st_mode)) || (!exists && underDev(path_))) {
        fd_ = ::open(path_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0)
            throw std::runtime_error("impossibile aprire il dispositivo " + path_.string() + ": " + systemErrorText(errno));
    } else {
        file_ = std::make_unique<AtomicFile>(path_);
    }
}

FileTextDevice::~FileTextDevice()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void FileTextDevice::write(std::string_view bytes)
{
    if (closed_)
        throw std::runtime_error("il dispositivo " + path_.string() + " è già chiuso");
    if (file_) {
        file_->write(bytes);
        return;
    }
    while (!bytes.empty()) {
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw std::runtime_error("errore di scrittura sul dispositivo " + path_.string() + ": " + systemErrorText(errno));
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

void FileTextDevice::close()
{
    if (closed_)
        return;
    closed_ = true;
    if (file_) {
        file_->commit();
        return;
    }
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        throw std::runtime_error("errore di scrittura sul dispositivo " + path_.string() + ": " + systemErrorText(errno));
}

CupsRawTextDevice::CupsRawTextDevice(std::string queue, std::string title)
    : queue_(std::move(queue)), title_(std::move(title))
{
}

void CupsRawTextDevice::close()
{
    if (closed_)
        return;
    closed_ = true;
    submitCupsBytes(queue_, title_, bytes_, {"raw"});
}

std::unique_ptr<TextDevice> openTextDevice(const std::string& device, const std::filesystem::path& folder,
                                           const std::vector<std::string>& queues, const std::string& title)
{
    if (std::find(queues.begin(), queues.end(), device) != queues.end())
        return std::make_unique<CupsRawTextDevice>(device, title);
    return std::make_unique<FileTextDevice>(device, folder);
}

}
