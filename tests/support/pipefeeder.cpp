#include "pipefeeder.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

PipeFeeder::PipeFeeder(std::string path, std::string data)
    : m_path(std::move(path)), m_data(std::move(data))
{
    // A reader that goes away early must fail the write, not end the test.
    std::signal(SIGPIPE, SIG_IGN);
    m_thread = std::thread([this] { feed(); });
}

PipeFeeder::~PipeFeeder()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
}

bool PipeFeeder::delivered()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    return m_delivered;
}

void PipeFeeder::feed()
{
    // A non-blocking open of the writing end fails until a reader is there,
    // so the thread can poll and still notice that it is to stop.
    int fd = -1;
    while (fd < 0) {
        fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0)
            break;
        if (errno != ENXIO || m_stop)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const char *data = m_data.data();
    std::size_t left = m_data.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            break;
        data += written;
        left -= std::size_t(written);
    }
    ::close(fd);
    m_delivered = left == 0;
}
