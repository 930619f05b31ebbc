// Keeping the input's current content before a translation overwrites it.
//
// When the output names the same file as the input, the input is copied to
// INPUT.bak, or to the first free name of INPUT.bak.1, INPUT.bak.2, ... when
// that is taken: an older backup is never overwritten. "Same file" means the
// same file on disk (device and inode) when both exist, otherwise the same
// normalised absolute path.
#pragma once

#include <string>

#include "message.h"

namespace engine {

[[nodiscard]] bool isSameFile(const std::string &a, const std::string &b);

struct BackupResult {
    enum class Status { NotNeeded, Made, Failed } status = Status::NotNeeded;
    std::string backupPath; // when Made
    Message message;        // when Failed: the reason, without a prefix

    // `message` in English.
    [[nodiscard]] std::string error() const { return message.english(); }
};

// Copies `input` to a fresh backup name when `output` is the same file.
[[nodiscard]] BackupResult backupIfSameFile(const std::string &input, const std::string &output);

// The message to print when no backup could be made.
[[nodiscard]] std::string backupFailureLine(const BackupResult &result);

} // namespace engine
