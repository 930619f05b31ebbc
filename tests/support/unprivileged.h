#pragma once

#include <functional>

// Runs `check` in a child process without root's power to write anywhere:
// as root the child switches to the user "nobody", otherwise it runs as the
// current user. Returns true when the child ran `check` and it returned true.
// Folders the check reads must be open to others (chmod 0755).
[[nodiscard]] bool runUnprivileged(const std::function<bool()> &check);
