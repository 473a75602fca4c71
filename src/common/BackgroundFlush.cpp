#include "common/BackgroundFlush.h"

#include <cerrno>
#include <unistd.h>

void BackgroundFlush::written(qint64 total)
{
    if (total - m_asked < step)
        return;
    m_asked = total;
    {
        const std::lock_guard lock(m_mutex);
        m_toFlush = total;
    }
    if (!m_thread.joinable())
        m_thread = std::thread([this] { run(); });
    m_wake.notify_one();
}

int BackgroundFlush::finish()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
    return m_error;
}

void BackgroundFlush::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stop || m_toFlush > m_flushed; });
        // A flush asked for is done even when the writer stops meanwhile; what is left
        // then goes with the writer's own final flush.
        if (m_toFlush == m_flushed || m_error != 0)
            return;
        const qint64 target = m_toFlush;
        lock.unlock();
        const int result = ::fdatasync(m_fd);
        const int error = errno;
        lock.lock();
        if (result != 0)
            m_error = error;
        m_flushed = target;
    }
}
