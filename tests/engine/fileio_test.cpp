// Whole-file read, atomic write and backup when calls fail or files are not
// what they seem: nothing is left half-written and the reason is told. The
// faults a user meets directly (folders, pipes, permissions, a full disk) are
// tested through the command line in tests/cli.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

#include "engine/backup.h"
#include "engine/filesystemcalls.h"
#include "engine/fileio.h"
#include "engine/process.h"
#include "hangguard.h"
#include "hexbytes.h"
#include "tempdir.h"

namespace {

using engine::detail::FileSystemCalls;
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

// The system's own call, unless this one is to fail.
template <auto call, typename... Args>
auto failing(Args... args)
{
    return failNow() ? -1 : (systemFileSystemCalls().*call)(args...);
}

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

// Makes one kind of file system call of the engine fail, as a full disk, a
// quota or a broken network share would, for as long as the object lives.
// The first `succeed` calls of that kind go through; every later one fails
// with `error`. Only one fault at a time.
class FileSystemFault {
public:
    enum class Call { Open, MakeTemporary, Read, Write, Fsync, Close, Rename };

    FileSystemFault(Call call, int error, int succeed = 0)
    {
        if (g_state.active)
            throw std::logic_error("one file system fault at a time");
        g_state = State{true, error, succeed, 0};
        auto &calls = fileSystemCalls();
        switch (call) {
        case Call::Open: calls.open = failing<&FileSystemCalls::open>; break;
        case Call::MakeTemporary: calls.makeTemporary = failing<&FileSystemCalls::makeTemporary>; break;
        case Call::Read: calls.read = failing<&FileSystemCalls::read>; break;
        case Call::Write: calls.write = failing<&FileSystemCalls::write>; break;
        case Call::Fsync: calls.fsync = failing<&FileSystemCalls::fsync>; break;
        case Call::Close: calls.close = failingClose; break;
        case Call::Rename: calls.rename = failing<&FileSystemCalls::rename>; break;
        }
    }
    ~FileSystemFault()
    {
        fileSystemCalls() = systemFileSystemCalls();
        g_state = State{};
    }
    FileSystemFault(const FileSystemFault &) = delete;
    FileSystemFault &operator=(const FileSystemFault &) = delete;

    // How many calls were made to fail so far.
    [[nodiscard]] int failures() const { return g_state.failures; }
};

using Call = FileSystemFault::Call;
using engine::BackupResult;
using Entries = std::vector<std::string>;

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ATNLINGO_ADDRESS_SANITIZER 1
#endif
#elif defined(__SANITIZE_ADDRESS__)
#define ATNLINGO_ADDRESS_SANITIZER 1
#endif

const auto kAtn = hexBytes("11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66");

std::string cannot(const char *verb, const std::string &path, int error)
{
    return std::string("Cannot ") + verb + " \"" + path + "\": " + std::strerror(error);
}

bool isLink(const std::string &path)
{
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

// A failure at each step of the atomic write: creating the temporary file,
// writing it, flushing it to disk, closing it, renaming it over the target.
// The target's name is as long as the file system allows, which must still
// leave room for the temporary file beside it.
TEST(AtomicWrite, FailingStepKeepsTheTargetAndLeavesNothing)
{
    TempDir dir;
    const std::string name(255, 'n'), target = dir.file(name);
    ASSERT_TRUE(engine::writeFileAtomically(target, std::string_view("precious")).ok);
    const std::tuple<const char *, Call, int> steps[] = {{"create", Call::MakeTemporary, ENOSPC},
                                                         {"write", Call::Write, ENOSPC}, {"flush", Call::Fsync, ENOSPC},
                                                         {"close", Call::Close, EIO}, {"rename", Call::Rename, ENOSPC}};
    for (const auto &[step, call, error] : steps) {
        SCOPED_TRACE(step);
        FileSystemFault fault(call, error);
        EXPECT_EQ(engine::writeFileAtomically(target, std::string(200000, 'x')).error(), cannot("write", target, error));
        EXPECT_EQ(fault.failures(), 1);
        EXPECT_FALSE(engine::writeFileAtomically(dir.file("new.atn"), std::string_view("new")).ok);
        EXPECT_EQ(readText(target), "precious");
        EXPECT_EQ(dir.entries(), Entries{name});
    }
}

// The link stays a link and the file it points to gets the content, wherever
// it lives; the temporary file is made beside that file. A loop is refused.
TEST(AtomicWrite, SymbolicLinks)
{
    TempDir links, files;
    writeText(files.file("real.atn"), "old");
    ASSERT_EQ(::symlink(files.file("real.atn").c_str(), links.file("link.atn").c_str()), 0);
    ASSERT_EQ(::symlink("link.atn", links.file("chain.atn").c_str()), 0);
    ASSERT_TRUE(engine::writeFileAtomically(links.file("chain.atn"), std::string_view("new")).ok);
    EXPECT_EQ(readText(files.file("real.atn")), "new");
    EXPECT_TRUE(isLink(links.file("chain.atn")) && isLink(links.file("link.atn")));
    EXPECT_EQ(files.entries(), Entries{"real.atn"});

    ASSERT_EQ(::symlink("b.atn", links.file("a.atn").c_str()), 0);
    ASSERT_EQ(::symlink("a.atn", links.file("b.atn").c_str()), 0);
    EXPECT_EQ(engine::writeFileAtomically(links.file("a.atn"), std::string_view("x")).error(),
              cannot("write", links.file("a.atn"), ELOOP));
    EXPECT_EQ(links.entries(), (Entries{"a.atn", "b.atn", "chain.atn", "link.atn"}));
}

// Where allowed (as root), the owner is kept too.
TEST(AtomicWrite, ExistingTargetKeepsItsPermissions)
{
    TempDir dir;
    const std::string target = dir.file("out.atn");
    constexpr uid_t nobody = 65534;
    const bool root = ::geteuid() == 0;
    for (const mode_t mode : {0640, 0444, 02750}) {
        writeText(target, "old");
        if (root) {
            ASSERT_EQ(::chown(target.c_str(), nobody, nobody), 0);
        }
        ASSERT_EQ(::chmod(target.c_str(), mode), 0);
        ASSERT_TRUE(engine::writeFileAtomically(target, std::string_view("new")).ok);
        struct stat st;
        ASSERT_EQ(::stat(target.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode);
        if (root) {
            EXPECT_EQ(st.st_uid, nobody);
            EXPECT_EQ(st.st_gid, nobody);
        }
        EXPECT_EQ(readText(target), "new");
        ASSERT_EQ(::unlink(target.c_str()), 0);
    }
}

// A read that fails after others went through gives none of their bytes. (A
// file that cannot be opened is the command line's, in tests/cli.)
TEST(ReadFault, FailingReadReportsTheReasonAndReturnsNothing)
{
    TempDir dir;
    const std::string input = dir.file("in.atn");
    writeText(input, std::string(300000, 'a'));
    FileSystemFault fault(Call::Read, EIO, 2);
    const auto result = engine::readFile(input);
    EXPECT_EQ(result.error(), cannot("read", input, EIO));
    EXPECT_TRUE(!result.ok && result.bytes.empty());
}

// A pipe that does not end is cut off at the limit instead of filling the
// memory; a regular file over the limit is refused before it is read.
TEST(ReadFault, SizeLimit)
{
    int pipe[2];
    ASSERT_EQ(::pipe(pipe), 0);
    ASSERT_EQ(::write(pipe[1], std::string(2000, 'a').data(), 2000), 2000);
    ::close(pipe[1]);
    const std::string endless = "/dev/fd/" + std::to_string(pipe[0]);
    const auto cut = engine::readFile(endless, 1000);
    ::close(pipe[0]);
    EXPECT_EQ(cut.error(), "Cannot read \"" + endless + "\": it holds more than 1000 bytes, the most atnlingo reads");
    EXPECT_TRUE(!cut.ok && cut.bytes.empty());

    TempDir dir;
    const std::string input = dir.file("in.atn");
    writeText(input, std::string(1001, 'a'));
    EXPECT_EQ(engine::readFile(input, 1001).bytes.size(), 1001u);
    FileSystemFault noRead(Call::Read, EIO);
    EXPECT_EQ(engine::readFile(input, 1000).error(),
              "Cannot read \"" + input + "\": it holds more than 1000 bytes, the most atnlingo reads");
    EXPECT_EQ(noRead.failures(), 0);
}

// A program holds the pipe open for writing and writes only once the reader
// has found nothing there yet: its data is waited for and read to the end.
int g_lateWriter = -1;

ssize_t writeAfterFirstRead(int fd, void *data, size_t size)
{
    const ssize_t got = engine::detail::systemFileSystemCalls().read(fd, data, size);
    if (g_lateWriter >= 0) {
        EXPECT_TRUE(engine::detail::writeAll(g_lateWriter, kAtn.data(), kAtn.size()));
        ::close(g_lateWriter);
        g_lateWriter = -1;
    }
    return got;
}

TEST(ReadSpecialFiles, PipeWithAWriterIsWaitedFor)
{
    const HangGuard guard;
    TempDir dir;
    const std::string fifo = dir.file("fifo.atn");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    g_lateWriter = ::open(fifo.c_str(), O_RDWR | O_NONBLOCK); // a writer without waiting for a reader
    ASSERT_GE(g_lateWriter, 0);
    engine::detail::fileSystemCalls().read = writeAfterFirstRead;
    const auto result = engine::readFile(fifo);
    engine::detail::fileSystemCalls() = engine::detail::systemFileSystemCalls();
    EXPECT_EQ(g_lateWriter, -1) << "nothing was read";
    EXPECT_EQ(result.error(), "");
    EXPECT_EQ(result.bytes, kAtn);
}

// A file is read with room to grow, but a system that will not promise the
// room still gets the file read. (Not under the address sanitizer, whose
// allocator aborts instead of refusing.)
#ifndef ATNLINGO_ADDRESS_SANITIZER
TEST(ReadFault, ReadsWithoutRoomToGrow)
{
    constexpr std::size_t kSize = 64 << 20;
    TempDir dir;
    const std::string input = dir.file("in.atn");
    writeText(input, std::string(kSize, 'a'));
    EXPECT_GT(engine::capacityForRewrites(kSize), kSize + kSize / 8);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Address space for what is in use, the file and an eighth of it.
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const auto room = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + kSize + kSize / 8;
        const rlimit limit{room, room};
        const bool ok = ::setrlimit(RLIMIT_AS, &limit) == 0 && engine::readFile(input, engine::kMaxReadSize, engine::Room::ForRewrites).bytes.size() == kSize;
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
}
#endif

// Another program writes to the input while it is being read: it grows, it
// shrinks, or it is rewritten at the same size a little later.
std::string g_changingPath;
void (*g_change)(int fd) = nullptr;

ssize_t readThenChange(int fd, void *data, size_t size)
{
    const ssize_t got = engine::detail::systemFileSystemCalls().read(fd, data, size);
    if (g_change) {
        const int writer = ::open(g_changingPath.c_str(), O_WRONLY);
        g_change(writer);
        ::close(writer);
        g_change = nullptr;
    }
    return got;
}

TEST(ReadFault, InputChangingWhileReadIsRefused)
{
    using Change = void (*)(int);
    for (const Change change : {Change([](int fd) { (void)::pwrite(fd, "more", 4, 400000); }),
                                Change([](int fd) { (void)::ftruncate(fd, 10); }), Change([](int fd) {
                                    (void)::pwrite(fd, "zz", 2, 0);
                                    struct stat st;
                                    (void)::fstat(fd, &st);
                                    const timespec times[2] = {st.st_atim, {st.st_mtim.tv_sec + 2, st.st_mtim.tv_nsec}};
                                    (void)::futimens(fd, times);
                                })}) {
        TempDir dir;
        const std::string input = dir.file("in.atn");
        writeText(input, std::string(300000, 'a'));
        g_changingPath = input;
        g_change = change;
        engine::detail::fileSystemCalls().read = readThenChange;
        const engine::ReadResult read = engine::readFile(input);
        engine::detail::fileSystemCalls() = engine::detail::systemFileSystemCalls();
        EXPECT_EQ(g_change, nullptr) << "the input was not changed";
        EXPECT_FALSE(read.ok);
        EXPECT_EQ(read.error(), "Cannot read \"" + input + "\": the file changed while it was being read");
    }
}

// The backup made before a translation replaces its own input: a file on
// disk is the same by what it is, not by its name (the command line gives it
// under another path); names of files not there are compared normalised.
TEST(Backup, SameFileMeansTheSameFileOnDisk)
{
    TempDir dir;
    const std::string input = dir.file("a.atn");
    writeText(input, "x");
    ASSERT_EQ(::link(input.c_str(), dir.file("hard.atn").c_str()), 0);
    EXPECT_TRUE(engine::isSameFile(input, dir.file("hard.atn")));
    EXPECT_TRUE(engine::isSameFile(dir.file("x/../new.atn"), dir.file("new.atn")));
}

// A failure at each step of the backup leaves no backup and the input intact.
TEST(Backup, FailingStepLeavesNoBackup)
{
    TempDir dir;
    const std::string input = dir.file("in.atn");
    writeBytes(input, kAtn);
    const std::string cannotRead = "cannot read \"" + input + "\": ";
    const std::string cannotWrite = "cannot write backup \"" + input + ".bak\": ";
    for (const auto &[call, error, succeed, reason] :
         {std::tuple{Call::Open, EACCES, 0, cannotRead},
          std::tuple{Call::Open, ENOSPC, 1, "cannot create backup \"" + input + ".bak\": "},
          std::tuple{Call::Read, EIO, 0, cannotRead}, std::tuple{Call::Write, ENOSPC, 0, cannotWrite},
          std::tuple{Call::Fsync, EIO, 0, cannotWrite}}) {
        SCOPED_TRACE(reason);
        FileSystemFault fault(call, error, succeed);
        const auto result = engine::backupIfSameFile(input, input);
        EXPECT_EQ(fault.failures(), 1);
        EXPECT_EQ(result.status, BackupResult::Status::Failed);
        EXPECT_EQ(result.error(), reason + std::strerror(error));
        EXPECT_EQ(dir.entries(), Entries{"in.atn"});
    }
    EXPECT_EQ(readBytes(input), kAtn);
}

} // namespace
