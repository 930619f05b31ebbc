#include "filesystemfault.h"

#include <cerrno>
#include <stdexcept>
#include <unistd.h>

#include "engine/filesystemcalls.h"

namespace {

using engine::detail::fileSystemCalls;
using engine::detail::systemFileSystemCalls;

struct State {
    bool active = false;
    int error = 0;
    int succeedLeft = 0;
    int failures = 0;
};
State g_state;

// True when this call is to fail; sets errno.
bool failNow()
{
    if (g_state.succeedLeft > 0) {
        --g_state.succeedLeft;
        return false;
    }
    ++g_state.failures;
    errno = g_state.error;
    return true;
}

int failingOpen(const char *path, int flags, mode_t mode)
{
    return failNow() ? -1 : systemFileSystemCalls().open(path, flags, mode);
}
int failingMakeTemporary(char *pattern, int flags)
{
    return failNow() ? -1 : systemFileSystemCalls().makeTemporary(pattern, flags);
}
ssize_t failingRead(int fd, void *data, size_t size)
{
    return failNow() ? -1 : systemFileSystemCalls().read(fd, data, size);
}
ssize_t failingWrite(int fd, const void *data, size_t size)
{
    return failNow() ? -1 : systemFileSystemCalls().write(fd, data, size);
}
int failingFsync(int fd) { return failNow() ? -1 : systemFileSystemCalls().fsync(fd); }
int failingClose(int fd)
{
    // As on Linux, the descriptor is gone even when close reports an error.
    if (failNow()) {
        const int error = errno;
        systemFileSystemCalls().close(fd);
        errno = error;
        return -1;
    }
    return systemFileSystemCalls().close(fd);
}
int failingRename(const char *from, const char *to)
{
    return failNow() ? -1 : systemFileSystemCalls().rename(from, to);
}

} // namespace

FileSystemFault::FileSystemFault(Call call, int error, int succeed)
{
    if (g_state.active)
        throw std::logic_error("one file system fault at a time");
    g_state = State{true, error, succeed, 0};
    auto &calls = fileSystemCalls();
    switch (call) {
    case Call::Open: calls.open = failingOpen; break;
    case Call::MakeTemporary: calls.makeTemporary = failingMakeTemporary; break;
    case Call::Read: calls.read = failingRead; break;
    case Call::Write: calls.write = failingWrite; break;
    case Call::Fsync: calls.fsync = failingFsync; break;
    case Call::Close: calls.close = failingClose; break;
    case Call::Rename: calls.rename = failingRename; break;
    }
}

FileSystemFault::~FileSystemFault()
{
    fileSystemCalls() = systemFileSystemCalls();
    g_state = State{};
}

int FileSystemFault::failures() const { return g_state.failures; }

const char *callName(FileSystemFault::Call call)
{
    switch (call) {
    case FileSystemFault::Call::Open: return "Open";
    case FileSystemFault::Call::MakeTemporary: return "MakeTemporary";
    case FileSystemFault::Call::Read: return "Read";
    case FileSystemFault::Call::Write: return "Write";
    case FileSystemFault::Call::Fsync: return "Fsync";
    case FileSystemFault::Call::Close: return "Close";
    case FileSystemFault::Call::Rename: return "Rename";
    }
    return "?";
}
