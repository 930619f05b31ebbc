// Whole-file reading and atomic writing.
//
// `writeFileAtomically` never leaves a half-written target: the bytes go to a
// temporary file in the target's folder, are flushed to disk, and the temporary
// file is renamed over the target. On any failure the temporary file is
// removed and an existing target keeps its content. An existing target keeps
// its permission bits; when the target is a symbolic link, the link stays and
// the file it points to is replaced.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace engine {

struct ReadResult {
    bool ok = false;
    std::vector<std::uint8_t> bytes;
    std::string error; // when !ok: names the path and the reason
};

[[nodiscard]] ReadResult readFile(const std::string &path);

struct WriteResult {
    bool ok = false;
    std::string error; // when !ok: names the path and the reason
};

[[nodiscard]] WriteResult writeFileAtomically(const std::string &path, std::span<const std::uint8_t> bytes);
[[nodiscard]] WriteResult writeFileAtomically(const std::string &path, std::string_view text);

} // namespace engine
