#pragma once

#include <cstddef>
#include <functional>
#include <string>

// Runs `check` in a child process that has a fresh file system of `bytes`
// bytes (a tmpfs in a mount namespace of its own, so nothing outside the
// child sees it) mounted at the folder it is given.
enum class SmallFileSystemRun { Passed, Failed, Unsupported };

[[nodiscard]] SmallFileSystemRun runOnSmallFileSystem(std::size_t bytes,
                                                      const std::function<bool(const std::string &folder)> &check);
