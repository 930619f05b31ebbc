// The system calls behind readFile, writeFileAtomically and the backup, kept
// in one table so that tests can make any of them fail the way a full disk,
// a flaky network share or a changing file would. Internal: nothing outside
// the engine and its tests uses it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <sys/types.h>

namespace engine::detail {

struct FileSystemCalls {
    int (*open)(const char *path, int flags, mode_t mode);
    int (*makeTemporary)(char *pattern, int flags); // mkostemp
    ssize_t (*read)(int fd, void *data, size_t size);
    ssize_t (*write)(int fd, const void *data, size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char *from, const char *to);
};

// The calls in use. Tests may replace entries and must put the system's own
// back (`systemFileSystemCalls()`) when they are done.
[[nodiscard]] FileSystemCalls &fileSystemCalls() noexcept;
[[nodiscard]] const FileSystemCalls &systemFileSystemCalls() noexcept;

// Writes all of `data` through fileSystemCalls().write, again after EINTR and
// after short writes; a write of nothing counts as a full disk. On failure
// errno says why.
[[nodiscard]] bool writeAll(int fd, const std::uint8_t *data, std::size_t size);

// Owns a file descriptor and closes it when it goes.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    ~Fd();
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

} // namespace engine::detail
