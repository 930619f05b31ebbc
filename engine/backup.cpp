#include "backup.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "filesystemcalls.h"
#include "messages.h"

namespace engine {
namespace {

using detail::Fd;
using detail::fileSystemCalls;
using detail::writeAll;

std::filesystem::path normalised(const std::string &path)
{
    std::error_code ignored;
    return std::filesystem::absolute(path, ignored).lexically_normal();
}

// Ends a backup that failed.
BackupResult &failed(BackupResult &result, Message why)
{
    result.message = std::move(why);
    return result;
}

Message reason(Format what, const std::string &path, int error)
{
    return {what, {path, std::strerror(error)}};
}

enum class CopyFailure { None, Read, Write };

CopyFailure copyContent(int from, int to)
{
    std::uint8_t chunk[1 << 16];
    for (;;) {
        const ssize_t got = fileSystemCalls().read(from, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return CopyFailure::Read;
        }
        if (got == 0)
            return CopyFailure::None;
        if (!writeAll(to, chunk, std::size_t(got)))
            return CopyFailure::Write;
    }
}

} // namespace

bool isSameFile(const std::string &a, const std::string &b)
{
    struct stat sa, sb;
    if (::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    return normalised(a) == normalised(b);
}

BackupResult backupIfSameFile(const std::string &input, const std::string &output)
{
    BackupResult result;
    if (!isSameFile(input, output))
        return result;
    result.status = BackupResult::Status::Failed;

    // Opened without waiting, as a pipe with no writer would make a plain open
    // wait; anything but a regular file is refused below.
    const Fd fromFile(fileSystemCalls().open(input.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0));
    const int from = fromFile.get();
    if (from < 0)
        return failed(result, reason(messages::kBackupCannotRead, input, errno));
    struct stat st;
    if (::fstat(from, &st) != 0)
        return failed(result, reason(messages::kBackupCannotRead, input, errno));
    if (!S_ISREG(st.st_mode)) {
        // Copying a pipe or a device would consume what the translation is to read.
        return failed(result, {messages::kCannotBackUp,
                               {input, S_ISDIR(st.st_mode) ? messages::kIsAFolder : messages::kNotARegularFile}});
    }
    const mode_t mode = st.st_mode & 0777;

    // O_EXCL makes taking a name and creating the file one step, so an older
    // backup can never be overwritten, not even by a file that appears in the
    // meantime.
    for (int index = 0; index < 100000; ++index) {
        const std::string candidate = input + ".bak" + (index == 0 ? std::string() : "." + std::to_string(index));
        const int to =
            fileSystemCalls().open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode | S_IWUSR);
        if (to < 0) {
            if (errno == EEXIST)
                continue;
            return failed(result, reason(messages::kCannotCreateBackup, candidate, errno));
        }
        const CopyFailure copied = copyContent(from, to);
        int error = errno;
        bool ok = copied == CopyFailure::None;
        if (ok && fileSystemCalls().fsync(to) != 0) {
            ok = false;
            error = errno;
        }
        if (fileSystemCalls().close(to) != 0 && ok) {
            ok = false;
            error = errno;
        }
        if (!ok) {
            ::unlink(candidate.c_str());
            return failed(result, copied == CopyFailure::Read ? reason(messages::kBackupCannotRead, input, error)
                                                              : reason(messages::kCannotWriteBackup, candidate, error));
        }
        result.status = BackupResult::Status::Made;
        result.backupPath = candidate;
        return result;
    }
    return failed(result, {messages::kNoFreeBackupName, {input}});
}

std::string backupFailureLine(const BackupResult &result)
{
    return "Ooops! Something went wrong: " + result.error() + "\n";
}

} // namespace engine
