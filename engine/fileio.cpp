#include "fileio.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {
namespace {

std::string describe(const char *verb, const std::string &path, int error)
{
    return std::string("Cannot ") + verb + " \"" + path + "\": " + std::strerror(error);
}

std::string describe(const char *verb, const std::string &path, const char *reason)
{
    return std::string("Cannot ") + verb + " \"" + path + "\": " + reason;
}

class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Fd(const Fd &) = delete;
    Fd &operator=(const Fd &) = delete;
    [[nodiscard]] int get() const { return m_fd; }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

std::string folderOf(const std::string &path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Follows symbolic links so that the file they point to is replaced, not the
// link itself.
std::string resolveLinks(std::string path)
{
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return path;
        char target[PATH_MAX];
        const ssize_t len = ::readlink(path.c_str(), target, sizeof target - 1);
        if (len < 0)
            return path;
        target[len] = '\0';
        if (target[0] == '/')
            path = target;
        else
            path = folderOf(path) + "/" + target;
    }
    return path;
}

bool writeAll(int fd, const std::uint8_t *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

} // namespace

ReadResult readFile(const std::string &path)
{
    ReadResult result;
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        result.error = describe("read", path, errno);
        return result;
    }
    struct stat st;
    if (::fstat(fd.get(), &st) != 0) {
        result.error = describe("read", path, errno);
        return result;
    }
    if (S_ISDIR(st.st_mode)) {
        result.error = describe("read", path, "it is a folder");
        return result;
    }
    // The size is only a hint: the file is read to its end whatever it says,
    // which also covers pipes and files that grow while being read.
    if (S_ISREG(st.st_mode) && st.st_size > 0)
        result.bytes.reserve(std::size_t(st.st_size));
    std::uint8_t chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            result.error = describe("read", path, errno);
            result.bytes.clear();
            return result;
        }
        if (got == 0)
            break;
        result.bytes.insert(result.bytes.end(), chunk, chunk + got);
    }
    result.ok = true;
    return result;
}

WriteResult writeFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes)
{
    WriteResult result;
    if (path.empty()) {
        result.error = describe("write", path, "no file name given");
        return result;
    }
    const std::string target = resolveLinks(path);

    struct stat existing;
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        result.error = describe("write", path, "it is a folder");
        return result;
    }
    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~currentUmask());

    const std::string folder = folderOf(target);
    std::string temporary = target + ".XXXXXX";
    // mkstemp puts the temporary file beside the target, so the rename below
    // stays on one file system and replaces the target in one step.
    Fd fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        result.error = describe("write", path, errno);
        return result;
    }
    auto fail = [&](int error) {
        result.error = describe("write", path, error);
        ::close(fd.release());
        ::unlink(temporary.c_str());
        return result;
    };
    if (!writeAll(fd.get(), bytes.data(), bytes.size()))
        return fail(errno);
    if (::fchmod(fd.get(), mode) != 0)
        return fail(errno);
    if (::fsync(fd.get()) != 0)
        return fail(errno);
    if (::close(fd.release()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        result.error = describe("write", path, error);
        return result;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        result.error = describe("write", path, error);
        return result;
    }
    // Make the rename itself durable; a failure here no longer affects the
    // content that readers see, so it is not reported.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    result.ok = true;
    return result;
}

WriteResult writeFileAtomically(const std::string &path, std::string_view text)
{
    return writeFileAtomically(
        path, std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t *>(text.data()), text.size()));
}

} // namespace engine
