#pragma once

#include <atomic>
#include <string>
#include <thread>

// Writes `data` into the named pipe at `path` from a thread of its own, once
// something opens the pipe for reading. Never blocks the test: if nothing
// opens the pipe, the thread gives up when the object goes.
class PipeFeeder {
public:
    PipeFeeder(std::string path, std::string data);
    ~PipeFeeder();
    PipeFeeder(const PipeFeeder &) = delete;
    PipeFeeder &operator=(const PipeFeeder &) = delete;

    // Whether a reader opened the pipe and took all of `data`.
    [[nodiscard]] bool delivered();

private:
    void feed();

    std::string m_path;
    std::string m_data;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_delivered{false};
    std::thread m_thread;
};
