// File-system faults: each must leave nothing half-written behind and say
// what went wrong.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/backup.h"
#include "engine/filesystemcalls.h"
#include "engine/fileio.h"
#include "engine/translation.h"
#include "filesystemfault.h"
#include "hexbytes.h"
#include "pipefeeder.h"
#include "smallfilesystem.h"
#include "tempdir.h"
#include "unprivileged.h"

namespace {

using Call = FileSystemFault::Call;
using engine::BackupResult;
using Entries = std::vector<std::string>;

const auto kAtn = hexBytes("11 22 33 44 00 00 00 04 00 41 00 42 00 43 00 00 55 66");

std::string cannot(const char *verb, const std::string &path, int error)
{
    return std::string("Cannot ") + verb + " \"" + path + "\": " + std::strerror(error);
}

// ---------------------------------------------------------------------------
// A failure at each step of the atomic write: creating the temporary file,
// writing it, flushing it to disk, closing it, renaming it over the target.

struct WriteFault {
    Call call;
    int error;
};

void PrintTo(const WriteFault &f, std::ostream *os) { *os << callName(f.call) << "/" << std::strerror(f.error); }

class AtomicWriteFault : public testing::TestWithParam<WriteFault> {};

TEST_P(AtomicWriteFault, ExistingTargetKeepsItsContent)
{
    const WriteFault &f = GetParam();
    TempDir dir;
    const std::string target = dir.file("out.atn");
    writeText(target, "precious");
    engine::WriteResult result;
    {
        FileSystemFault fault(f.call, f.error);
        result = engine::writeFileAtomically(target, std::string(200000, 'x'));
        EXPECT_EQ(fault.failures(), 1);
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, cannot("write", target, f.error));
    EXPECT_EQ(readText(target), "precious");
    EXPECT_EQ(dir.entries(), Entries{"out.atn"});
}

TEST_P(AtomicWriteFault, NewTargetIsNotCreated)
{
    const WriteFault &f = GetParam();
    TempDir dir;
    FileSystemFault fault(f.call, f.error);
    EXPECT_FALSE(engine::writeFileAtomically(dir.file("out.atn"), std::string_view("new")).ok);
    EXPECT_EQ(dir.entries(), Entries{});
}

INSTANTIATE_TEST_SUITE_P(
    Steps, AtomicWriteFault,
    testing::Values(WriteFault{Call::MakeTemporary, ENOSPC}, WriteFault{Call::MakeTemporary, EACCES},
                    WriteFault{Call::Write, ENOSPC}, WriteFault{Call::Write, EDQUOT}, WriteFault{Call::Fsync, ENOSPC},
                    WriteFault{Call::Fsync, EIO}, WriteFault{Call::Close, ENOSPC}, WriteFault{Call::Rename, ENOSPC},
                    WriteFault{Call::Rename, EBUSY}),
    [](const auto &test) {
        return std::string(callName(test.param.call)) + "_" + std::to_string(test.param.error);
    });

TEST(AtomicWriteFault, FullDiskReachesTheConsoleAndKeepsTheOutput)
{
    TempDir dir;
    writeBytes(dir.file("in.atn"), kAtn);
    writeText(dir.file("out.atn"), "precious");
    engine::StringConsole console;
    engine::TranslationOutcome outcome;
    {
        FileSystemFault fault(Call::Write, ENOSPC);
        outcome = engine::processTranslation({dir.file("in.atn"), dir.file("out.atn"), "B", "XY"}, console,
                                             engine::KeyEchoTable());
    }
    const std::string tail = "WriteOutputFile 20" + cannot("write", dir.file("out.atn"), ENOSPC) + "\nDone";
    ASSERT_GE(console.text().size(), tail.size());
    EXPECT_EQ(console.text().substr(console.text().size() - tail.size()), tail);
    EXPECT_FALSE(outcome.outputWritten);
    EXPECT_EQ(readText(dir.file("out.atn")), "precious");
    EXPECT_EQ(dir.entries(), (Entries{"in.atn", "out.atn"}));
}

// A real file system that runs full, where the machine lets the test mount one.
TEST(AtomicWriteFault, RealFullFileSystem)
{
    const auto run = runOnSmallFileSystem(64 * 1024, [](const std::string &folder) {
        const std::string target = folder + "/out.atn";
        writeText(target, "precious");
        const auto result = engine::writeFileAtomically(target, std::string(1 << 20, 'x'));
        const bool ok = !result.ok && result.error == cannot("write", target, ENOSPC)
                        && readText(target) == "precious" && TempDir::entriesOf(folder) == Entries{"out.atn"};
        if (!ok)
            std::cerr << "write result: " << result.error << "\n";
        return ok;
    });
    if (run == SmallFileSystemRun::Unsupported)
        GTEST_SKIP() << "cannot mount a small tmpfs here (needs root and mount namespaces); "
                        "the injected faults above cover the same paths";
    EXPECT_EQ(run, SmallFileSystemRun::Passed);
}

// ---------------------------------------------------------------------------
// Output paths that cannot or must not be replaced.

TEST(AtomicWriteTarget, MissingFolder)
{
    TempDir dir;
    const auto result = engine::writeFileAtomically(dir.file("missing/out.atn"), std::string_view("x"));
    EXPECT_EQ(result.error, cannot("write", dir.file("missing/out.atn"), ENOENT));
    EXPECT_EQ(dir.entries(), Entries{});
}

TEST(AtomicWriteTarget, PipeIsRefusedAndStaysAPipe)
{
    TempDir dir;
    const std::string fifo = dir.file("out.atn");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const auto result = engine::writeFileAtomically(fifo, std::string_view("x"));
    EXPECT_EQ(result.error, "Cannot write \"" + fifo + "\": it is not a regular file");
    struct stat st;
    ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_EQ(dir.entries(), Entries{"out.atn"});
}

// A name as long as the file system allows still leaves room for the
// temporary file beside it.
TEST(AtomicWriteTarget, LongestFileName)
{
    TempDir dir;
    const std::string target = dir.file(std::string(255, 'n'));
    writeText(target, "old");
    ASSERT_TRUE(engine::writeFileAtomically(target, std::string_view("new")).ok);
    EXPECT_EQ(readText(target), "new");
    {
        FileSystemFault fault(Call::Rename, ENOSPC);
        EXPECT_FALSE(engine::writeFileAtomically(target, std::string_view("newer")).ok);
    }
    EXPECT_EQ(readText(target), "new");
    EXPECT_EQ(dir.entries(), Entries{std::string(255, 'n')});
}

// The link stays a link and the file it points to gets the content, wherever
// it lives; the temporary file is made beside that file.
TEST(AtomicWriteTarget, LinkToAnotherFolder)
{
    TempDir links, files;
    writeText(files.file("real.atn"), "old");
    ASSERT_EQ(::symlink(files.file("real.atn").c_str(), links.file("link.atn").c_str()), 0);
    ASSERT_EQ(::symlink("link.atn", links.file("chain.atn").c_str()), 0);
    ASSERT_TRUE(engine::writeFileAtomically(links.file("chain.atn"), std::string_view("new")).ok);
    EXPECT_EQ(readText(files.file("real.atn")), "new");
    EXPECT_EQ(links.entries(), (Entries{"chain.atn", "link.atn"}));
    EXPECT_EQ(files.entries(), Entries{"real.atn"});
    struct stat st;
    ASSERT_EQ(::lstat(links.file("chain.atn").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(AtomicWriteTarget, LinkToNothingCreatesItsTarget)
{
    TempDir dir;
    ASSERT_EQ(::symlink("new.atn", dir.file("link.atn").c_str()), 0);
    ASSERT_TRUE(engine::writeFileAtomically(dir.file("link.atn"), std::string_view("new")).ok);
    EXPECT_EQ(readText(dir.file("new.atn")), "new");
    struct stat st;
    ASSERT_EQ(::lstat(dir.file("link.atn").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(AtomicWriteTarget, LinkLoopIsRefusedAndLeftAlone)
{
    TempDir dir;
    ASSERT_EQ(::symlink("b.atn", dir.file("a.atn").c_str()), 0);
    ASSERT_EQ(::symlink("a.atn", dir.file("b.atn").c_str()), 0);
    const auto result = engine::writeFileAtomically(dir.file("a.atn"), std::string_view("x"));
    EXPECT_EQ(result.error, cannot("write", dir.file("a.atn"), ELOOP));
    struct stat st;
    ASSERT_EQ(::lstat(dir.file("a.atn").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(dir.entries(), (Entries{"a.atn", "b.atn"}));
}

class KeptMode : public testing::TestWithParam<mode_t> {};

TEST_P(KeptMode, ExistingTargetKeepsItsPermissions)
{
    TempDir dir;
    const std::string target = dir.file("out.atn");
    writeText(target, "old");
    ASSERT_EQ(::chmod(target.c_str(), GetParam()), 0);
    ASSERT_TRUE(engine::writeFileAtomically(target, std::string_view("new")).ok);
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, GetParam());
    EXPECT_EQ(readText(target), "new");
}

INSTANTIATE_TEST_SUITE_P(Modes, KeptMode, testing::Values(0600, 0640, 0444, 0755, 02750));

TEST(AtomicWriteTarget, ExistingTargetKeepsItsOwnerWhereAllowed)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    TempDir dir;
    const std::string target = dir.file("out.atn");
    writeText(target, "old");
    constexpr uid_t nobody = 65534;
    ASSERT_EQ(::chown(target.c_str(), nobody, nobody), 0);
    ASSERT_TRUE(engine::writeFileAtomically(target, std::string_view("new")).ok);
    struct stat st;
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, nobody);
    EXPECT_EQ(st.st_gid, nobody);
}

// ---------------------------------------------------------------------------
// Inputs that cannot be read as one whole file.

TEST(ReadFault, FailingCallsReportTheReasonAndReturnNothing)
{
    TempDir dir;
    const std::string input = dir.file("in.atn");
    writeText(input, std::string(300000, 'a')); // several reads
    for (const auto &[call, error, succeed] : {std::tuple{Call::Open, EMFILE, 0}, std::tuple{Call::Read, EIO, 0},
                                               std::tuple{Call::Read, EIO, 2}}) {
        SCOPED_TRACE(std::string(callName(call)) + " after " + std::to_string(succeed));
        FileSystemFault fault(call, error, succeed);
        const auto result = engine::readFile(input);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.error, cannot("read", input, error));
        EXPECT_TRUE(result.bytes.empty());
    }
}

TEST(ReadFault, UnreadableInput)
{
    TempDir dir;
    const std::string input = dir.file("in.atn");
    writeBytes(input, kAtn);
    ASSERT_EQ(::chmod(input.c_str(), 0), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    EXPECT_TRUE(runUnprivileged([&] {
        engine::StringConsole console;
        const auto outcome =
            engine::processTranslation({input, dir.file("out.atn"), "B", "XY"}, console, engine::KeyEchoTable());
        return !outcome.inputRead && !outcome.outputWritten
               && console.text() == "OpenInputFile" + input + "\nError: " + cannot("read", input, EACCES) + "\nDone";
    }));
    EXPECT_EQ(dir.entries(), Entries{"in.atn"});
}

TEST(ReadFault, PipeIsReadToItsEnd)
{
    TempDir dir;
    const std::string fifo = dir.file("in.atn");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    std::string data(150000, '\0');
    for (std::size_t i = 0; i < data.size(); ++i)
        data[i] = char(i * 7);
    PipeFeeder feeder(fifo, data);
    const auto result = engine::readFile(fifo);
    EXPECT_TRUE(feeder.delivered());
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(std::string(result.bytes.begin(), result.bytes.end()), data);
}

// A source that never ends (a device, a pipe fed forever) is cut off at the
// limit instead of filling the memory.
TEST(ReadFault, EndlessSourceStopsAtTheLimit)
{
    const auto result = engine::readFile("/dev/zero", 1 << 20);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Cannot read \"/dev/zero\": it holds more than 1 MiB, the most atnlingo reads");
    EXPECT_TRUE(result.bytes.empty());
}

TEST(ReadFault, LargerFileIsRefusedBeforeReading)
{
    TempDir dir;
    const std::string input = dir.file("in.atn");
    writeText(input, std::string(1001, 'a'));
    EXPECT_EQ(engine::readFile(input, 1001).bytes.size(), 1001u);
    FileSystemFault noRead(Call::Read, EIO);
    const auto result = engine::readFile(input, 1000);
    EXPECT_EQ(result.error, "Cannot read \"" + input + "\": it holds more than 1000 bytes, the most atnlingo reads");
    EXPECT_EQ(noRead.failures(), 0);
}

// Another program writes to the input while it is being read.
enum class Change { Grow, Shrink, Rewrite };

std::string g_changingPath;
Change g_change;
bool g_changed;

void change(const std::string &path, Change how)
{
    const int fd = ::open(path.c_str(), O_WRONLY);
    ASSERT_GE(fd, 0);
    switch (how) {
    case Change::Grow: ASSERT_EQ(::pwrite(fd, "more", 4, 400000), 4); break;
    case Change::Shrink: ASSERT_EQ(::ftruncate(fd, 10), 0); break;
    case Change::Rewrite: {
        // Same size, other bytes, written a little later than the original.
        ASSERT_EQ(::pwrite(fd, "zz", 2, 0), 2);
        struct stat st;
        ASSERT_EQ(::fstat(fd, &st), 0);
        const struct timespec times[2] = {st.st_atim, {st.st_mtim.tv_sec + 2, st.st_mtim.tv_nsec}};
        ASSERT_EQ(::futimens(fd, times), 0);
        break;
    }
    }
    ::close(fd);
}

ssize_t readThenChange(int fd, void *data, size_t size)
{
    const ssize_t got = engine::detail::systemFileSystemCalls().read(fd, data, size);
    if (!g_changed) {
        g_changed = true;
        change(g_changingPath, g_change);
    }
    return got;
}

class ChangingInput : public testing::TestWithParam<Change> {
protected:
    void SetUp() override
    {
        g_changingPath = input;
        g_change = GetParam();
        g_changed = false;
        writeText(input, std::string(300000, 'a'));
        engine::detail::fileSystemCalls().read = readThenChange;
    }
    void TearDown() override { engine::detail::fileSystemCalls() = engine::detail::systemFileSystemCalls(); }

    TempDir dir;
    const std::string input = dir.file("in.atn");
};

TEST_P(ChangingInput, IsRefusedAndNothingIsWritten)
{
    writeText(dir.file("out.atn"), "precious");
    engine::StringConsole console;
    const auto outcome =
        engine::processTranslation({input, dir.file("out.atn"), "a", "b"}, console, engine::KeyEchoTable());
    EXPECT_TRUE(g_changed);
    EXPECT_EQ(console.text(), "OpenInputFile" + input + "\nError: Cannot read \"" + input
                                  + "\": the file changed while it was being read\nDone");
    EXPECT_FALSE(outcome.inputRead);
    EXPECT_EQ(readText(dir.file("out.atn")), "precious");
}

INSTANTIATE_TEST_SUITE_P(Changes, ChangingInput, testing::Values(Change::Grow, Change::Shrink, Change::Rewrite),
                         [](const auto &test) {
                             return test.param == Change::Grow     ? "Grows"
                                    : test.param == Change::Shrink ? "Shrinks"
                                                                   : "IsRewritten";
                         });

// ---------------------------------------------------------------------------
// The backup made before a translation replaces its own input.

struct BackupFault {
    const char *name;
    Call call;
    int error;
    int succeed;
    const char *reason; // "BAK" and "IN" stand for the paths
};

void PrintTo(const BackupFault &f, std::ostream *os) { *os << f.name; }

class BackupFaults : public testing::TestWithParam<BackupFault> {};

TEST_P(BackupFaults, NoBackupLeftAndTheInputIntact)
{
    const BackupFault &f = GetParam();
    TempDir dir;
    const std::string input = dir.file("in.atn");
    writeBytes(input, kAtn);
    BackupResult result;
    {
        FileSystemFault fault(f.call, f.error, f.succeed);
        result = engine::backupIfSameFile(input, input);
        EXPECT_EQ(fault.failures(), 1);
    }
    EXPECT_EQ(result.status, BackupResult::Status::Failed);
    std::string reason = f.reason;
    for (const auto &[from, to] : {std::pair{"BAK", input + ".bak"}, std::pair{"IN", input}})
        if (const auto at = reason.find(from); at != std::string::npos)
            reason.replace(at, std::string_view(from).size(), to);
    EXPECT_EQ(result.error, reason + std::strerror(f.error));
    EXPECT_EQ(dir.entries(), Entries{"in.atn"});
    EXPECT_EQ(readBytes(input), kAtn);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, BackupFaults,
    testing::Values(BackupFault{"OpenInput", Call::Open, EACCES, 0, "cannot read \"IN\": "},
                    BackupFault{"CreateBackup", Call::Open, ENOSPC, 1, "cannot create backup \"BAK\": "},
                    BackupFault{"ReadInput", Call::Read, EIO, 0, "cannot read \"IN\": "},
                    BackupFault{"WriteBackup", Call::Write, ENOSPC, 0, "cannot write backup \"BAK\": "},
                    BackupFault{"FlushBackup", Call::Fsync, EIO, 0, "cannot write backup \"BAK\": "},
                    BackupFault{"CloseBackup", Call::Close, ENOSPC, 0, "cannot write backup \"BAK\": "}),
    [](const auto &test) { return std::string(test.param.name); });

TEST(BackupTarget, FolderOrPipeIsNotCopied)
{
    TempDir dir;
    const std::string fifo = dir.file("in.atn");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    // Opening a pipe for reading waits for a writer; the feeder is one.
    PipeFeeder feeder(fifo, "data");
    const auto pipe = engine::backupIfSameFile(fifo, fifo);
    EXPECT_EQ(pipe.error, "cannot back up \"" + fifo + "\": it is not a regular file");
    const auto folder = engine::backupIfSameFile(dir.path(), dir.path());
    EXPECT_EQ(folder.error, "cannot back up \"" + dir.path() + "\": it is a folder");
    EXPECT_EQ(dir.entries(), Entries{"in.atn"});
}

} // namespace
