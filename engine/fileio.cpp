#include "fileio.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <type_traits>
#include <unistd.h>

#include "filesystemcalls.h"
#include "messages.h"
#include "process.h"

namespace engine {
namespace {

using detail::Fd;
using detail::fileSystemCalls;
using detail::writeAll;

// Sets the error of a read or write result; `reason` is an errno or a message.
template <typename Result, typename Reason>
Result &failed(Result &result, Format cannot, const std::string &path, const Reason &reason)
{
    if constexpr (std::is_same_v<Reason, int>)
        result.message = Message(cannot, {path, std::strerror(reason)});
    else
        result.message = Message(cannot, {path, reason});
    result.error = result.message.english();
    return result;
}

Message sizeText(std::uint64_t bytes)
{
    constexpr std::uint64_t MiB = std::uint64_t(1) << 20, GiB = std::uint64_t(1) << 30;
    if (bytes >= GiB && bytes % GiB == 0)
        return {messages::kGiB, {std::to_string(bytes / GiB)}};
    if (bytes >= MiB && bytes % MiB == 0)
        return {messages::kMiB, {std::to_string(bytes / MiB)}};
    return {messages::kBytes, {std::to_string(bytes)}};
}

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
// link itself. A link to nowhere yields the path the file will be created at;
// a loop yields nothing.
std::optional<std::string> resolveLinks(std::string path)
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
    return std::nullopt;
}

// The temporary file sits beside the target and is named after it, unless that
// name would be too long for the file system.
std::string temporaryPattern(const std::string &target)
{
    const auto slash = target.rfind('/');
    const std::size_t nameLength = slash == std::string::npos ? target.size() : target.size() - slash - 1;
    if (nameLength + 7 <= NAME_MAX)
        return target + ".XXXXXX";
    return folderOf(target) + "/.atnlingo.XXXXXX";
}

mode_t currentUmask()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mask;
}

bool sameVersion(const struct stat &a, const struct stat &b)
{
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

} // namespace

ReadResult readFile(const std::string &path, std::uint64_t maxBytes, Room room)
{
    ReadResult result;
    Fd fd(fileSystemCalls().open(path.c_str(), O_RDONLY | O_CLOEXEC, 0));
    if (fd.get() < 0) {
        return failed(result, messages::kCannotRead, path, errno);
    }
    struct stat before;
    if (::fstat(fd.get(), &before) != 0) {
        return failed(result, messages::kCannotRead, path, errno);
    }
    if (S_ISDIR(before.st_mode)) {
        return failed(result, messages::kCannotRead, path, Message(messages::kIsAFolder));
    }
    const Message tooLarge(messages::kTooLarge, {sizeText(maxBytes)});
    const bool regular = S_ISREG(before.st_mode);
    if (regular && std::uint64_t(before.st_size) > maxBytes) {
        return failed(result, messages::kCannotRead, path, tooLarge);
    }
    // The size is only a hint: the file is read to its end whatever it says,
    // which also covers pipes and devices. A system that will not promise
    // the room asked for still gets the file read.
    if (regular && before.st_size > 0) {
        const auto size = std::size_t(before.st_size);
        try {
            result.bytes.reserve(room == Room::ForRewrites ? capacityForRewrites(size) : size);
        } catch (const std::bad_alloc &) {
            result.bytes.reserve(size);
        }
    }
    std::uint8_t chunk[1 << 16];
    for (;;) {
        const ssize_t got = fileSystemCalls().read(fd.get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            failed(result, messages::kCannotRead, path, errno);
            result.bytes = {};
            return result;
        }
        if (got == 0)
            break;
        if (std::uint64_t(got) > maxBytes - result.bytes.size()) {
            result.bytes = {};
            return failed(result, messages::kCannotRead, path, tooLarge);
        }
        result.bytes.insert(result.bytes.end(), chunk, chunk + got);
    }
    struct stat after;
    if (regular && (::fstat(fd.get(), &after) != 0 || !sameVersion(before, after))) {
        result.bytes = {};
        return failed(result, messages::kCannotRead, path, Message(messages::kChangedWhileRead));
    }
    result.ok = true;
    return result;
}

WriteResult writeFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes)
{
    WriteResult result;
    if (path.empty()) {
        return failed(result, messages::kCannotWrite, path, Message(messages::kNoFileName));
    }
    const std::optional<std::string> resolved = resolveLinks(path);
    if (!resolved) {
        return failed(result, messages::kCannotWrite, path, ELOOP);
    }
    const std::string &target = *resolved;

    struct stat existing;
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode)) {
        return failed(result, messages::kCannotWrite, path, Message(messages::kIsAFolder));
    }
    if (exists && !S_ISREG(existing.st_mode)) {
        return failed(result, messages::kCannotWrite, path, Message(messages::kNotARegularFile));
    }
    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~currentUmask());

    std::string temporary = temporaryPattern(target);
    // The temporary file is in the target's folder, so the rename below stays
    // on one file system and replaces the target in one step.
    Fd fd(fileSystemCalls().makeTemporary(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0) {
        return failed(result, messages::kCannotWrite, path, errno);
    }
    auto fail = [&](int error) {
        if (fd.get() >= 0)
            ::close(fd.release());
        ::unlink(temporary.c_str());
        return failed(result, messages::kCannotWrite, path, error);
    };
    if (!writeAll(fd.get(), bytes.data(), bytes.size()))
        return fail(errno);
    if (exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
        // Keeping the owner needs privileges the user may not have; the new
        // file then belongs to the user, as with any other editor.
        [[maybe_unused]] const int kept = ::fchown(fd.get(), existing.st_uid, existing.st_gid);
    }
    // After fchown, which clears the set-user-ID and set-group-ID bits.
    if (::fchmod(fd.get(), mode) != 0)
        return fail(errno);
    if (fileSystemCalls().fsync(fd.get()) != 0)
        return fail(errno);
    if (fileSystemCalls().close(fd.release()) != 0)
        return fail(errno);
    if (fileSystemCalls().rename(temporary.c_str(), target.c_str()) != 0)
        return fail(errno);
    // Make the rename itself durable; a failure here no longer affects the
    // content that readers see, so it is not reported.
    Fd dir(::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
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
