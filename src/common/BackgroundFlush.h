#pragma once

#include <QtGlobal>

#include <condition_variable>
#include <mutex>
#include <thread>

// Flushes a file that is being written to the disk on another thread, a few megabytes
// at a time, so that the flush after its last byte has little left to wait for. That
// thread mostly waits for the disk while the writer goes on. Small files never start it.
class BackgroundFlush {
public:
    explicit BackgroundFlush(int fd) : m_fd(fd) {}
    ~BackgroundFlush() { finish(); }
    BackgroundFlush(const BackgroundFlush &) = delete;
    BackgroundFlush &operator=(const BackgroundFlush &) = delete;

    // The file now holds total bytes: a flush starts once a step has come since the
    // last one asked for.
    void written(qint64 total);
    // Waits for the flushes asked for and stops. Returns the errno of a failed flush, else
    // 0: the writer must then fail, since a later fsync of the file may not report
    // the same failure again.
    int finish();

    static constexpr qint64 step = 4 << 20;

private:
    void run();

    const int m_fd;
    qint64 m_asked = 0; // the writer's own: the size last handed to the thread
    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    // Guarded by m_mutex:
    qint64 m_toFlush = 0;
    qint64 m_flushed = 0;
    bool m_stop = false;
    int m_error = 0;
};
