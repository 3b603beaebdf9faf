#include "platform/AtomicFile.h"

#include "platform/SystemError.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace ravelt {

namespace fs = std::filesystem;

namespace {

// Bytes gathered before they are handed to the system.
constexpr size_t BufferSize = 64 * 1024;
// The random part of a temporary file's name, as mkostemp makes it.
constexpr size_t RandomPart = 6;

// When this process started (as near as the program can tell: when its libraries were
// initialised), on the coarse clock the system stamps files with, so that any file
// written after this moment bears this time or a later one.
const timespec processStart = [] {
    timespec t{};
    clock_gettime(CLOCK_REALTIME_COARSE, &t);
    return t;
}();

bool before(const timespec& a, const timespec& b)
{
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

std::string temporaryPrefix(const fs::path& file)
{
    return "." + file.filename().string() + ".tmp-";
}

bool isTemporaryName(const std::string& name, const std::string& prefix)
{
    if (name.size() != prefix.size() + RandomPart || name.compare(0, prefix.size(), prefix) != 0)
        return false;
    for (size_t i = prefix.size(); i < name.size(); ++i) {
        char c = name[i];
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    }
    return true;
}

// Removes the temporary files that writers of 'file' killed before this process started
// left in 'dir'. A file is abandoned when its name is of the pattern, it is a plain file
// (not a link), it was last written before this process started and nobody holds its
// lock; a writer that is alive holds the lock from the moment it has made the file until
// the rename. Nothing here is an error: what cannot be checked or removed stays.
void removeAbandoned(const fs::path& dir, const fs::path& file)
{
    const std::string prefix = temporaryPrefix(file);
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (!isTemporaryName(p.filename().string(), prefix))
            continue;
        struct stat st;
        if (::lstat(p.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || !before(st.st_mtim, processStart))
            continue;
        int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0)
            continue;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(p.c_str());
        ::close(fd);
    }
}

// Makes the folder's entries durable (the rename that replaced a file). File systems
// that cannot sync a folder say so with EINVAL or ENOTSUP; that is not a failure.
int syncFolder(const fs::path& dir)
{
    int fd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    int code = ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP ? 0 : errno;
    ::close(fd);
    return code;
}

fs::path folderOf(const fs::path& file)
{
    return file.parent_path().empty() ? fs::path(".") : file.parent_path();
}

}

AtomicFile::AtomicFile(fs::path target) : target_(std::move(target)), final_(target_)
{
    std::error_code ec;
    if (fs::is_symlink(target_, ec)) {
        fs::path resolved = fs::weakly_canonical(target_, ec);
        if (!ec)
            final_ = resolved;
    }
    const fs::path dir = folderOf(final_);
    removeAbandoned(dir, final_);

    std::string pattern = (dir / (temporaryPrefix(final_) + std::string(RandomPart, 'X'))).string();
    fd_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0)
        throw std::runtime_error("impossibile scrivere il file " + target_.string() + ": " + systemErrorText(errno));
    temp_ = pattern;
    // A file system without locks leaves the file unlocked; it is then only ever removed
    // as abandoned by a process started after its last write.
    flock(fd_, LOCK_EX | LOCK_NB);
    buffer_.reserve(BufferSize);
}

AtomicFile::~AtomicFile()
{
    // The file is removed while it is still locked, so nobody takes it for abandoned.
    if (!committed_ && !temp_.empty())
        ::unlink(temp_.c_str());
    if (fd_ >= 0)
        ::close(fd_);
}

void AtomicFile::fail(const std::string& what, int code)
{
    failed_ = true;
    throw std::runtime_error(what + " " + target_.string() + ": " + systemErrorText(code));
}

void AtomicFile::flush()
{
    std::string_view rest = buffer_;
    while (!rest.empty()) {
        ssize_t n = ::write(fd_, rest.data(), rest.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int code = errno;
            buffer_.clear();
            fail("impossibile scrivere il file", code);
        }
        rest.remove_prefix(static_cast<size_t>(n));
    }
    buffer_.clear();
}

void AtomicFile::write(std::string_view bytes)
{
    if (fd_ < 0 || committed_)
        throw std::runtime_error("il file " + target_.string() + " è già chiuso");
    if (failed_)
        throw std::runtime_error("il file " + target_.string() + " non è stato scritto per intero");
    buffer_.append(bytes);
    if (buffer_.size() >= BufferSize)
        flush();
}

void AtomicFile::commit()
{
    if (committed_)
        return;
    if (fd_ < 0)
        throw std::runtime_error("il file " + target_.string() + " è già chiuso");
    if (failed_)
        throw std::runtime_error("il file " + target_.string() + " non è stato scritto per intero: resta com'era");
    flush();
    // The permissions (and, where allowed, the owner) of the file being replaced;
    // mkostemp makes the file readable by its owner only.
    struct stat old;
    if (::stat(final_.c_str(), &old) == 0) {
        ::fchmod(fd_, old.st_mode & 07777);
        // Only the superuser may give a file away; otherwise the writer owns the new one.
        [[maybe_unused]] int given = ::fchown(fd_, old.st_uid, old.st_gid);
    } else {
        ::fchmod(fd_, 0644);
    }
    if (::fsync(fd_) != 0)
        fail("impossibile scrivere il file", errno);
    // Renamed while still locked: once unlocked, it has its final name.
    if (::rename(temp_.c_str(), final_.c_str()) != 0)
        fail("impossibile sostituire il file", errno);
    committed_ = true;
    ::close(fd_);
    fd_ = -1;
    if (int code = syncFolder(folderOf(final_)))
        fail("impossibile registrare sul disco la cartella del file", code);
}

std::string readFileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("Impossibile leggere il file " + path.string());
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFileAtomically(const fs::path& path, std::string_view bytes)
{
    AtomicFile f(path);
    f.write(bytes);
    f.commit();
}

}
