#pragma once

#include <sys/types.h>

// Makes one kind of file system call of the engine fail, as a full disk, a
// quota or a broken network share would, for as long as the object lives.
// The first `succeed` calls of that kind go through; every later one fails
// with `error`. Only one fault at a time.
class FileSystemFault {
public:
    enum class Call { Open, MakeTemporary, Read, Write, Fsync, Close, Rename };

    FileSystemFault(Call call, int error, int succeed = 0);
    ~FileSystemFault();
    FileSystemFault(const FileSystemFault &) = delete;
    FileSystemFault &operator=(const FileSystemFault &) = delete;

    // How many calls were made to fail so far.
    [[nodiscard]] int failures() const;
};

[[nodiscard]] const char *callName(FileSystemFault::Call call);
