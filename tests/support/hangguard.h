#pragma once

#include <unistd.h>

// Ends the test process (SIGALRM) if it is still inside the guarded scope a
// minute later: a reader that waits for a writer that never comes fails the
// test instead of stalling the whole run.
class HangGuard {
public:
    HangGuard() { ::alarm(60); }
    ~HangGuard() { ::alarm(0); }
    HangGuard(const HangGuard &) = delete;
    HangGuard &operator=(const HangGuard &) = delete;
};
