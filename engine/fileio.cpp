#include "fileio.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "filesystemcalls.h"
#include "messages.h"
#include "process.h"

namespace engine {
namespace {

using detail::Fd;
using detail::fileSystemCalls;
using detail::writeAll;

// Sets the error of a read or write result: `cannot` with the path and the reason.
template <typename Result>
Result &failed(Result &result, Format cannot, const std::string &path, Message reason)
{
    result.message = Message(cannot, {path, std::move(reason)});
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

// Why a file of this kind is not read, or nothing when it is read.
std::optional<Format> refusedKind(mode_t mode)
{
    if (S_ISDIR(mode))
        return messages::kIsAFolder;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return messages::kIsADevice;
    if (S_ISSOCK(mode))
        return messages::kIsASocket;
    return std::nullopt;
}

bool sameVersion(const struct stat &a, const struct stat &b)
{
    return a.st_size == b.st_size && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec;
}

} // namespace

ReadResult readFile(const std::string &path, std::uint64_t maxBytes, Room room)
{
    ReadResult result;
    const auto fail = [&](Message reason, int error = 0) {
        failed(result, messages::kCannotRead, path, std::move(reason));
        result.systemError = error;
        result.bytes = {};
        return result;
    };
    const auto failSystem = [&](int error) { return fail(std::strerror(error), error); };
    // Opening without waiting: a plain open waits for a writer on a pipe that
    // has none, and may make a terminal the controlling one.
    Fd fd(fileSystemCalls().open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0));
    if (fd.get() < 0) {
        const int error = errno;
        // A socket, or a device without a driver, cannot be opened at all.
        struct stat st;
        if (::stat(path.c_str(), &st) == 0 && refusedKind(st.st_mode))
            return fail(*refusedKind(st.st_mode));
        return failSystem(error);
    }
    struct stat before;
    if (::fstat(fd.get(), &before) != 0)
        return failSystem(errno);
    if (const auto kind = refusedKind(before.st_mode))
        return fail(*kind);
    const Message tooLarge(messages::kTooLarge, {sizeText(maxBytes)});
    const bool regular = S_ISREG(before.st_mode);
    const bool pipe = S_ISFIFO(before.st_mode);
    if (regular && std::uint64_t(before.st_size) > maxBytes)
        return fail(tooLarge);
    // The size is only a hint: the file is read to its end whatever it says,
    // which also covers pipes. A system that will not promise the room asked
    // for still gets the file read.
    if (regular && before.st_size > 0) {
        const auto size = std::size_t(before.st_size);
        try {
            result.bytes.reserve(room == Room::ForRewrites ? capacityForRewrites(size) : size);
        } catch (const std::bad_alloc &) {
            result.bytes.reserve(size);
        }
    }
    std::uint8_t chunk[1 << 16];
    bool writerSeen = false;
    for (;;) {
        const ssize_t got = fileSystemCalls().read(fd.get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A program holds the pipe open for writing and has not written
            // yet: its data is coming, so from now on reads wait for it.
            const int flags = ::fcntl(fd.get(), F_GETFL);
            if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
                return failSystem(errno);
            writerSeen = true;
            continue;
        }
        if (got < 0)
            return failSystem(errno);
        if (got == 0) {
            // The end before any data or any sign of a writer: nothing holds
            // the pipe open for writing, so nothing will ever come. (A writer
            // that closed without writing looks the same, and an empty input
            // from it would be of no use either.)
            if (pipe && !writerSeen)
                return fail(messages::kPipeWithoutWriter);
            break;
        }
        writerSeen = true;
        if (std::uint64_t(got) > maxBytes - result.bytes.size())
            return fail(tooLarge);
        result.bytes.insert(result.bytes.end(), chunk, chunk + got);
    }
    struct stat after;
    if (regular && (::fstat(fd.get(), &after) != 0 || !sameVersion(before, after)))
        return fail(messages::kChangedWhileRead);
    result.ok = true;
    return result;
}

WriteResult writeFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes)
{
    WriteResult result;
    if (path.empty())
        return failed(result, messages::kCannotWrite, path, messages::kNoFileName);
    const std::optional<std::string> resolved = resolveLinks(path);
    if (!resolved)
        return failed(result, messages::kCannotWrite, path, std::strerror(ELOOP));
    const std::string &target = *resolved;

    struct stat existing;
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && S_ISDIR(existing.st_mode))
        return failed(result, messages::kCannotWrite, path, messages::kIsAFolder);
    if (exists && !S_ISREG(existing.st_mode))
        return failed(result, messages::kCannotWrite, path, messages::kNotARegularFile);
    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~currentUmask());

    std::string temporary = temporaryPattern(target);
    // The temporary file is in the target's folder, so the rename below stays
    // on one file system and replaces the target in one step.
    Fd fd(fileSystemCalls().makeTemporary(temporary.data(), O_CLOEXEC));
    if (fd.get() < 0)
        return failed(result, messages::kCannotWrite, path, std::strerror(errno));
    auto fail = [&](int error) {
        if (fd.get() >= 0)
            ::close(fd.release());
        ::unlink(temporary.c_str());
        return failed(result, messages::kCannotWrite, path, std::strerror(error));
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
