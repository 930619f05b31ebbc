// A file of 2 GiB + 1 byte: positions and lengths past what 32 signed bits
// hold. Built sparse, so it costs no disk space until it is written.
#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "hexbytes.h"
#include "tempdir.h"
#include "translation/driver.h"

namespace {

constexpr std::uint64_t GiB = std::uint64_t(1) << 30;

std::uint64_t availableMemory()
{
    std::ifstream meminfo("/proc/meminfo");
    std::string key, unit;
    std::uint64_t kib = 0;
    while (meminfo >> key >> kib >> unit)
        if (key == "MemAvailable:")
            return kib * 1024;
    return 0;
}

std::string hexAt(int fd, std::uint64_t offset, std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    bytes.resize(std::size_t(std::max<ssize_t>(0, ::pread(fd, bytes.data(), size, off_t(offset)))));
    return toHex(bytes);
}

TEST(LargeFile, PositionsPast31Bits)
{
    constexpr std::uint64_t kSize = 2 * GiB + 1;
    // The input, translated where it stands, with room to spare.
    constexpr std::uint64_t kMemoryNeeded = kSize + 2 * GiB;
    const std::uint64_t memory = availableMemory();
    if (memory < kMemoryNeeded)
        GTEST_SKIP() << "needs " << kMemoryNeeded / GiB << " GiB of available memory, the machine has "
                     << memory / GiB << " GiB";
    TempDir dir;
    struct statvfs fs;
    if (::statvfs(dir.path().c_str(), &fs) != 0 || std::uint64_t(fs.f_bavail) * fs.f_frsize < kSize + GiB)
        GTEST_SKIP() << "needs " << (kSize + GiB) / GiB << " GiB of free disk space in " << dir.path();

    // "ABC" big-endian near the start, and again ending at the last byte.
    const auto string = hexBytes("00 00 00 04 00 41 00 42 00 43 00 00");
    const std::string input = dir.file("in.atn"), output = dir.file("out.atn");
    {
        const int fd = ::open(input.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, off_t(kSize)), 0);
        ASSERT_EQ(::pwrite(fd, string.data(), string.size(), 16), ssize_t(string.size()));
        ASSERT_EQ(::pwrite(fd, string.data(), string.size(), off_t(kSize - string.size())), ssize_t(string.size()));
        ::close(fd);
    }

    // A replacement 9 characters longer moves the second occurrence past 2^31.
    engine::StringConsole console;
    const auto outcome = translation::processTranslation({input, output, "B", "0123456789"}, console, engine::KeyEchoTable());
    EXPECT_EQ(console.text(), "OpenInputFile" + input + "\nReadInputFile 2147483649Unchecked at offset 0: expected "
                              "version 16, found 0BeginReplacementOf B 0123456789Rewrote 2OpenOutputFile" + output +
                                  "\nWriteOutputFile 2147483685Translated 2 1 1 " + output + "\nDone");
    ASSERT_TRUE(outcome.succeeded());

    const auto rewritten = hexBytes("00 00 00 0D 00 41 00 30 00 31 00 32 00 33 00 34 00 35 00 36 00 37 00 38 00 39 "
                                    "00 43 00 00");
    struct stat st;
    ASSERT_EQ(::stat(output.c_str(), &st), 0);
    EXPECT_EQ(std::uint64_t(st.st_size), kSize + 36);
    const int fd = ::open(output.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(hexAt(fd, 16, rewritten.size()), toHex(rewritten));
    EXPECT_EQ(hexAt(fd, kSize + 36 - rewritten.size(), rewritten.size() + 1), toHex(rewritten));
    EXPECT_EQ(hexAt(fd, GiB, 16), toHex(std::vector<std::uint8_t>(16, 0)));
    ::close(fd);
}

} // namespace
