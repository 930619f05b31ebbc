#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "engine/backup.h"
#include "engine/fileio.h"
#include "tempdir.h"
#include "unprivileged.h"

namespace {

using engine::BackupResult;

TEST(AtomicWrite, ReplacesContentAndLeavesNoTemporaryFile)
{
    TempDir dir;
    writeText(dir.file("out.atn"), "old content that is longer");
    const auto result = engine::writeFileAtomically(dir.file("out.atn"), std::string_view("new"));
    ASSERT_TRUE(result.ok) << result.error;
    EXPECT_EQ(readText(dir.file("out.atn")), "new");
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"out.atn"});
}

TEST(AtomicWrite, EmptyContentMakesAnEmptyFile)
{
    TempDir dir;
    ASSERT_TRUE(engine::writeFileAtomically(dir.file("empty.atn"), std::string_view()).ok);
    EXPECT_EQ(readText(dir.file("empty.atn")), "");
}

TEST(AtomicWrite, UnwritableFolderKeepsTheTargetAndLeavesNothing)
{
    TempDir dir;
    const std::string folder = dir.file("locked");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    writeText(folder + "/out.atn", "precious");
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);

    const bool refused = runUnprivileged([&] {
        const auto result = engine::writeFileAtomically(folder + "/out.atn", std::string_view("new"));
        return !result.ok && result.error == "Cannot write \"" + folder + "/out.atn\": Permission denied";
    });
    EXPECT_TRUE(refused);
    EXPECT_EQ(readText(folder + "/out.atn"), "precious");
    ASSERT_EQ(::chmod(folder.c_str(), 0755), 0);
    EXPECT_EQ(TempDir::entriesOf(folder), std::vector<std::string>{"out.atn"});
}

TEST(AtomicWrite, KeepsPermissionsOfAnExistingTarget)
{
    TempDir dir;
    writeText(dir.file("out.atn"), "old");
    ASSERT_EQ(::chmod(dir.file("out.atn").c_str(), 0640), 0);
    ASSERT_TRUE(engine::writeFileAtomically(dir.file("out.atn"), std::string_view("new")).ok);
    struct stat st;
    ASSERT_EQ(::stat(dir.file("out.atn").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(AtomicWrite, SymbolicLinkStaysAndItsTargetIsReplaced)
{
    TempDir dir;
    writeText(dir.file("real.atn"), "old");
    ASSERT_EQ(::symlink("real.atn", dir.file("link.atn").c_str()), 0);
    ASSERT_TRUE(engine::writeFileAtomically(dir.file("link.atn"), std::string_view("new")).ok);
    struct stat st;
    ASSERT_EQ(::lstat(dir.file("link.atn").c_str(), &st), 0);
    EXPECT_TRUE(S_ISLNK(st.st_mode));
    EXPECT_EQ(readText(dir.file("real.atn")), "new");
}

TEST(AtomicWrite, FolderAsTargetIsRefused)
{
    TempDir dir;
    const auto result = engine::writeFileAtomically(dir.path(), std::string_view("x"));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, "Cannot write \"" + dir.path() + "\": it is a folder");
}

TEST(ReadFile, ReportsPathAndReason)
{
    TempDir dir;
    const auto missing = engine::readFile(dir.file("nope.atn"));
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.error, "Cannot read \"" + dir.file("nope.atn") + "\": No such file or directory");
    writeText(dir.file("some.atn"), std::string("a\0b", 3));
    const auto some = engine::readFile(dir.file("some.atn"));
    ASSERT_TRUE(some.ok);
    EXPECT_EQ(some.bytes, (std::vector<std::uint8_t>{'a', 0, 'b'}));
}

// The backup keeps the input's current content before the output replaces it.
TEST(Backup, NotNeededForDifferentFiles)
{
    TempDir dir;
    writeText(dir.file("a.atn"), "a");
    const auto result = engine::backupIfSameFile(dir.file("a.atn"), dir.file("b.atn"));
    EXPECT_EQ(result.status, BackupResult::Status::NotNeeded);
    EXPECT_EQ(dir.entries(), std::vector<std::string>{"a.atn"});
}

TEST(Backup, NeverOverwritesAnOlderBackup)
{
    TempDir dir;
    const std::string input = dir.file("a.atn");
    writeText(input, "first");
    const auto first = engine::backupIfSameFile(input, input);
    ASSERT_EQ(first.status, BackupResult::Status::Made);
    EXPECT_EQ(first.backupPath, input + ".bak");

    writeText(input, "second");
    const auto second = engine::backupIfSameFile(input, input);
    ASSERT_EQ(second.status, BackupResult::Status::Made);
    EXPECT_EQ(second.backupPath, input + ".bak.1");

    writeText(input, "third");
    EXPECT_EQ(engine::backupIfSameFile(input, input).backupPath, input + ".bak.2");
    EXPECT_EQ(readText(input + ".bak"), "first");
    EXPECT_EQ(readText(input + ".bak.1"), "second");
    EXPECT_EQ(readText(input + ".bak.2"), "third");
}

TEST(Backup, SameFileMeansTheSameFileOnDisk)
{
    TempDir dir;
    const std::string input = dir.file("a.atn");
    writeText(input, "x");
    ASSERT_EQ(::symlink("a.atn", dir.file("link.atn").c_str()), 0);
    ASSERT_EQ(::link(input.c_str(), dir.file("hard.atn").c_str()), 0);
    EXPECT_TRUE(engine::isSameFile(input, dir.path() + "/./sub/../a.atn"));
    EXPECT_TRUE(engine::isSameFile(input, dir.file("link.atn")));
    EXPECT_TRUE(engine::isSameFile(input, dir.file("hard.atn")));
    EXPECT_FALSE(engine::isSameFile(input, dir.file("other.atn")));
    // Neither exists: compared as normalised absolute paths.
    EXPECT_TRUE(engine::isSameFile(dir.file("x/../new.atn"), dir.file("new.atn")));
}

TEST(Backup, FailureIsReportedWithItsReason)
{
    TempDir dir;
    const std::string input = dir.file("missing.atn");
    const auto result = engine::backupIfSameFile(input, input);
    EXPECT_EQ(result.status, BackupResult::Status::Failed);
    EXPECT_EQ(engine::backupFailureLine(result),
              "Ooops! Something went wrong: cannot read \"" + input + "\": No such file or directory\n");
}

TEST(Backup, ReadOnlyFolderRefusesAndKeepsTheInput)
{
    TempDir dir;
    const std::string folder = dir.file("locked");
    ASSERT_EQ(::mkdir(folder.c_str(), 0755), 0);
    writeText(folder + "/a.atn", "input");
    ASSERT_EQ(::chmod(folder.c_str(), 0555), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    const bool refused = runUnprivileged([&] {
        const auto result = engine::backupIfSameFile(folder + "/a.atn", folder + "/a.atn");
        return result.status == BackupResult::Status::Failed
               && result.error == "cannot create backup \"" + folder + "/a.atn.bak\": Permission denied";
    });
    EXPECT_TRUE(refused);
    EXPECT_EQ(TempDir::entriesOf(folder), std::vector<std::string>{"a.atn"});
}

} // namespace
