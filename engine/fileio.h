// Whole-file reading and atomic writing.
//
// `readFile` reads a regular file, or a pipe that a program writes to, to its
// end, but never more than a limit (so that an endless source cannot exhaust
// memory), and refuses a regular file that changes size or is modified while
// it is being read: the caller gets all of one version of the file or an
// error, never a mixture. It never waits for a writer that is not there: a
// pipe that no program holds open for writing, a folder, a device and a
// socket are refused at once. Only a pipe whose writer has yet to write is
// waited for, as its data is on the way (`/dev/fd/N` of a shell pipe).
//
// `writeFileAtomically` never leaves a half-written target: the bytes go to a
// temporary file in the target's folder, are flushed to disk, and the temporary
// file is renamed over the target. On any failure the temporary file is
// removed and an existing target keeps its content. An existing target keeps
// its permission bits (and, where the system allows, its owner); when the
// target is a symbolic link, the link stays and the file it points to is
// replaced. Only regular files are replaced: a folder, a device or a pipe at
// the target is refused.
//
// Errors name the path and the reason, e.g.
//   Cannot read "in.atn": No such file or directory
//   Cannot read "/dev/zero": it is a device
//   Cannot write "out/x.atn": No space left on device
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "message.h"

namespace engine {

// The most `readFile` reads unless told otherwise: far beyond any action file,
// and small enough that the input and one translated copy fit in memory.
inline constexpr std::uint64_t kMaxReadSize = std::uint64_t(4) << 30;

struct ReadResult {
    bool ok = false;
    std::vector<std::uint8_t> bytes;
    Message message;     // when !ok: names the path and the reason
    int systemError = 0; // when !ok because a system call failed: its errno

    // `message` in English.
    [[nodiscard]] std::string error() const { return message.english(); }
};

// How much capacity the bytes read get beyond the file's size.
enum class Room {
    None,
    ForRewrites, // capacityForRewrites(): a translation lengthens the buffer where it stands
};

[[nodiscard]] ReadResult readFile(const std::string &path, std::uint64_t maxBytes = kMaxReadSize,
                                  Room room = Room::None);

struct WriteResult {
    bool ok = false;
    Message message; // when !ok: names the path and the reason

    // `message` in English.
    [[nodiscard]] std::string error() const { return message.english(); }
};

[[nodiscard]] WriteResult writeFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes);
[[nodiscard]] WriteResult writeFileAtomically(const std::string &path, std::string_view text);

} // namespace engine
