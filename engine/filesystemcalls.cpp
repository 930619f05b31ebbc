#include "filesystemcalls.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

namespace engine::detail {
namespace {

int openFile(const char *path, int flags, mode_t mode) { return ::open(path, flags, mode); }
int makeTemporaryFile(char *pattern, int flags) { return ::mkostemp(pattern, flags); }
ssize_t readFd(int fd, void *data, size_t size) { return ::read(fd, data, size); }
ssize_t writeFd(int fd, const void *data, size_t size) { return ::write(fd, data, size); }
int fsyncFd(int fd) { return ::fsync(fd); }
int closeFd(int fd) { return ::close(fd); }
int renameFile(const char *from, const char *to) { return ::rename(from, to); }

constexpr FileSystemCalls kSystemCalls{openFile, makeTemporaryFile, readFd, writeFd, fsyncFd, closeFd, renameFile};

FileSystemCalls g_calls = kSystemCalls;

} // namespace

FileSystemCalls &fileSystemCalls() noexcept { return g_calls; }
const FileSystemCalls &systemFileSystemCalls() noexcept { return kSystemCalls; }

bool writeAll(int fd, const std::uint8_t *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = fileSystemCalls().write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        data += written;
        size -= std::size_t(written);
    }
    return true;
}

Fd::~Fd()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace engine::detail
