#include "platform/TextDevice.h"

#include "platform/CupsJob.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace ravelt {

FileTextDevice::FileTextDevice(const std::string& device, const std::filesystem::path& folder)
{
    std::filesystem::path p(device);
    path_ = p.is_absolute() ? p : folder / p;
    if (device.empty())
        throw std::runtime_error("la destinazione non indica il dispositivo su cui stampare");
    fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd_ < 0)
        throw std::runtime_error("impossibile aprire il dispositivo " + path_.string() + ": " + std::strerror(errno));
}

FileTextDevice::~FileTextDevice()
{
    if (fd_ >= 0)
        ::close(fd_);
}

void FileTextDevice::write(std::string_view bytes)
{
    if (fd_ < 0)
        throw std::runtime_error("il dispositivo " + path_.string() + " e' gia' chiuso");
    while (!bytes.empty()) {
        ssize_t n = ::write(fd_, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            throw std::runtime_error("errore di scrittura sul dispositivo " + path_.string() + ": " + std::strerror(errno));
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
}

void FileTextDevice::close()
{
    if (fd_ < 0)
        return;
    int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        throw std::runtime_error("errore di scrittura sul dispositivo " + path_.string() + ": " + std::strerror(errno));
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
