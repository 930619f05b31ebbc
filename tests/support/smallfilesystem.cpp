#include "smallfilesystem.h"

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "tempdir.h"

SmallFileSystemRun runOnSmallFileSystem(std::size_t bytes, const std::function<bool(const std::string &folder)> &check)
{
    constexpr int kUnsupported = 77;
    const TempDir mountPoint;
    const pid_t child = ::fork();
    if (child < 0)
        return SmallFileSystemRun::Unsupported;
    if (child == 0) {
        const std::string options = "size=" + std::to_string(bytes);
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0
            || ::mount("tmpfs", mountPoint.path().c_str(), "tmpfs", 0, options.c_str()) != 0)
            ::_exit(kUnsupported);
        ::_exit(check(mountPoint.path()) ? 0 : 1);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return SmallFileSystemRun::Failed;
    switch (WEXITSTATUS(status)) {
    case 0: return SmallFileSystemRun::Passed;
    case kUnsupported: return SmallFileSystemRun::Unsupported;
    default: return SmallFileSystemRun::Failed;
    }
}
