#include "backup.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace engine {
namespace {

std::filesystem::path normalised(const std::string &path)
{
    std::error_code ignored;
    return std::filesystem::absolute(path, ignored).lexically_normal();
}

std::string reason(const std::string &what, const std::string &path, int error)
{
    return what + " \"" + path + "\": " + std::strerror(error);
}

bool copyContent(int from, int to)
{
    char chunk[1 << 16];
    for (;;) {
        const ssize_t got = ::read(from, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        const char *data = chunk;
        std::size_t left = std::size_t(got);
        while (left > 0) {
            const ssize_t written = ::write(to, data, left);
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            data += written;
            left -= std::size_t(written);
        }
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

    const int from = ::open(input.c_str(), O_RDONLY | O_CLOEXEC);
    if (from < 0) {
        result.error = reason("cannot read", input, errno);
        return result;
    }
    struct stat st;
    const mode_t mode = ::fstat(from, &st) == 0 ? (st.st_mode & 0777) : 0644;

    // O_EXCL makes taking a name and creating the file one step, so an older
    // backup can never be overwritten, not even by a file that appears in the
    // meantime.
    for (int index = 0; index < 100000; ++index) {
        const std::string candidate = input + ".bak" + (index == 0 ? std::string() : "." + std::to_string(index));
        const int to = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode | S_IWUSR);
        if (to < 0) {
            if (errno == EEXIST)
                continue;
            result.error = reason("cannot create backup", candidate, errno);
            ::close(from);
            return result;
        }
        bool ok = copyContent(from, to) && ::fsync(to) == 0;
        const int error = errno;
        ok = (::close(to) == 0) && ok;
        if (!ok) {
            ::unlink(candidate.c_str());
            result.error = reason("cannot write backup", candidate, error);
            ::close(from);
            return result;
        }
        ::close(from);
        result.status = BackupResult::Status::Made;
        result.backupPath = candidate;
        return result;
    }
    ::close(from);
    result.error = "no free backup name beside \"" + input + "\"";
    return result;
}

std::string backupFailureLine(const BackupResult &result)
{
    return "Ooops! Something went wrong: " + result.error + "\n";
}

} // namespace engine
