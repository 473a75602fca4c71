#include "common/FileLock.h"

#include "common/Errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QThread>

#include <array>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr off_t MarkByte = 0;
constexpr off_t WriteByte = 1;

enum class LockResult { Locked, Busy, NoLockFile };

// Takes an exclusive lock on one byte of the lock file, creating the file when missing.
// On Busy the descriptor stays open so the caller can read who holds the mark.
LockResult openLocked(const QString &lockFile, off_t byte, int &fd)
{
    const QByteArray name = QFile::encodeName(lockFile);
    for (;;) {
        fd = ::open(name.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
        if (fd < 0)
            return LockResult::NoLockFile;
        struct flock lock = {};
        lock.l_type = F_WRLCK;
        lock.l_whence = SEEK_SET;
        lock.l_start = byte;
        lock.l_len = 1;
        if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
            if (errno == EAGAIN || errno == EACCES)
                return LockResult::Busy;
            ::close(fd);
            fd = -1;
            return LockResult::NoLockFile;
        }
        // The last holder may have removed the lock file between our open and our lock:
        // a lock on a removed file guards nothing, so take the one the name has now.
        struct stat held, named;
        if (::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 && held.st_dev == named.st_dev
            && held.st_ino == named.st_ino)
            return LockResult::Locked;
        ::close(fd);
    }
}

// Drops the lock; the lock file is removed when nobody else holds any part of it.
void unlockAndRemove(int fd, const QString &lockFile)
{
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    whole.l_start = 0;
    whole.l_len = 2;
    if (::fcntl(fd, F_OFD_SETLK, &whole) == 0) {
        const QByteArray name = QFile::encodeName(lockFile);
        struct stat held, named;
        if (::fstat(fd, &held) == 0 && ::stat(name.constData(), &named) == 0 && held.st_dev == named.st_dev
            && held.st_ino == named.st_ino)
            ::unlink(name.constData());
    }
    ::close(fd);
}

// The marks this process holds, kept where a signal handler can reach them: a program
// that ends by a signal (the session closing, the display going away, Ctrl+C in a
// terminal) or by exit() without unwinding clears its marks, so the next start finds
// no stale mark to take over.
struct HeldMark {
    volatile sig_atomic_t fd = -1;
    char lockFile[PATH_MAX] = {};
};
std::array<HeldMark, 16> heldMarks;
std::mutex heldMarksMutex;

void clearHeldMarks()
{
    for (HeldMark &m : heldMarks) {
        const int fd = m.fd;
        if (fd < 0)
            continue;
        m.fd = -1;
        if (::ftruncate(fd, 0) != 0) {
            // The file is removed next; its text no longer matters.
        }
        ::unlink(m.lockFile);
    }
}

constexpr std::array<int, 3> EndingSignals = {SIGTERM, SIGHUP, SIGINT};
std::array<struct sigaction, EndingSignals.size()> previousActions;

// Clears the marks, then lets the signal do what it did before (end the program, or a
// handler set earlier).
void clearMarksAndEnd(int signal)
{
    clearHeldMarks();
    for (size_t i = 0; i < EndingSignals.size(); ++i) {
        if (EndingSignals[i] == signal)
            ::sigaction(signal, &previousActions[i], nullptr);
    }
    std::raise(signal);
}

void installExitCleanup()
{
    static std::once_flag once;
    std::call_once(once, [] {
        std::atexit(clearHeldMarks);
        struct sigaction action = {};
        action.sa_handler = clearMarksAndEnd;
        sigemptyset(&action.sa_mask);
        for (size_t i = 0; i < EndingSignals.size(); ++i)
            ::sigaction(EndingSignals[i], &action, &previousActions[i]);
    });
}

void rememberHeldMark(int fd, const QByteArray &lockFile)
{
    if (lockFile.size() >= PATH_MAX)
        return;
    installExitCleanup();
    const std::lock_guard<std::mutex> guard(heldMarksMutex);
    for (HeldMark &m : heldMarks) {
        if (m.fd >= 0)
            continue;
        std::memcpy(m.lockFile, lockFile.constData(), size_t(lockFile.size()) + 1);
        m.fd = fd;
        return;
    }
}

void forgetHeldMark(int fd)
{
    const std::lock_guard<std::mutex> guard(heldMarksMutex);
    for (HeldMark &m : heldMarks) {
        if (m.fd == fd)
            m.fd = -1;
    }
}

FileLock::Holder readHolder(int fd)
{
    char buffer[512];
    const ssize_t n = ::pread(fd, buffer, sizeof buffer - 1, 0);
    FileLock::Holder holder;
    if (n <= 0)
        return holder;
    const QStringList lines = QString::fromUtf8(buffer, n).split(QLatin1Char('\n'));
    holder.pid = lines.value(0).toLongLong();
    holder.host = lines.value(1);
    holder.program = lines.value(2);
    return holder;
}

void writeHolder(int fd, const QString &program)
{
    const QByteArray text = QStringLiteral("%1\n%2\n%3\n").arg(::getpid()).arg(FileLock::thisHost(), program).toUtf8();
    // The mark holds even when its text cannot be written; others then name no holder.
    if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, text.constData(), size_t(text.size()), 0) != text.size())
        return;
}

struct SharedWriteLock {
    int fd = -1;
    int count = 0;
};
std::mutex registryMutex;
std::map<QString, SharedWriteLock> &writeLocks()
{
    static std::map<QString, SharedWriteLock> locks;
    return locks;
}
}

QString FileLock::lockFileName(const QString &path)
{
    const QFileInfo info(path);
    const QFileInfo target(info.exists() ? info.canonicalFilePath() : info.absoluteFilePath());
    return target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".lock");
}

QString FileLock::thisHost()
{
    return QSysInfo::machineHostName();
}

bool FileLock::Holder::onThisHost() const
{
    return host == thisHost();
}

QString FileLock::Holder::text() const
{
    if (!isSet())
        return QStringLiteral("another process");
    return QStringLiteral("%1, process %2 on %3")
        .arg(program.isEmpty() ? QStringLiteral("a program") : program)
        .arg(pid)
        .arg(host);
}

FileLock::Mark::Mark(const QString &path, const QString &program) : m_path(path), m_program(program)
{
}

FileLock::Mark::~Mark()
{
    release();
}

bool FileLock::Mark::claim()
{
    release();
    m_holder = {};
    m_note.clear();
    m_lockFile = lockFileName(m_path);
    int fd = -1;
    switch (openLocked(m_lockFile, MarkByte, fd)) {
    case LockResult::NoLockFile:
        return true;
    case LockResult::Busy:
        m_holder = readHolder(fd);
        ::close(fd);
        return false;
    case LockResult::Locked:
        break;
    }
    const Holder previous = readHolder(fd);
    if (previous.isSet()) {
        if (!previous.onThisHost()) {
            // Whether a process on another host still runs cannot be told from here.
            m_holder = previous;
            ::close(fd);
            return false;
        }
        m_note = QStringLiteral("Note: \"%1\" was still marked as in use by %2, which is no longer running; "
                                "the mark is taken over.")
                     .arg(QDir::toNativeSeparators(m_path), previous.text());
        std::fprintf(stderr, "%s\n", m_note.toLocal8Bit().constData());
    }
    writeHolder(fd, m_program);
    m_fd = fd;
    rememberHeldMark(fd, QFile::encodeName(m_lockFile));
    return true;
}

void FileLock::Mark::release()
{
    if (m_fd < 0)
        return;
    forgetHeldMark(m_fd);
    // Cleared first, so a lock file that stays (another writer holds it) names no holder.
    if (::ftruncate(m_fd, 0) != 0) {
        // A mark whose text stays would only be taken over later, with a note.
    }
    unlockAndRemove(m_fd, m_lockFile);
    m_fd = -1;
}

FileLock::WriteLock::WriteLock(const QString &path, int timeoutMs) : m_lockFile(lockFileName(path))
{
    {
        const std::lock_guard<std::mutex> guard(registryMutex);
        const auto it = writeLocks().find(m_lockFile);
        if (it != writeLocks().end()) {
            ++it->second.count;
            m_held = true;
            return;
        }
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int fd = -1;
        const LockResult result = openLocked(m_lockFile, WriteByte, fd);
        if (result == LockResult::NoLockFile)
            return;
        if (result == LockResult::Locked) {
            const std::lock_guard<std::mutex> guard(registryMutex);
            writeLocks()[m_lockFile] = {fd, 1};
            m_held = true;
            return;
        }
        ::close(fd);
        if (std::chrono::steady_clock::now() >= deadline)
            throw IoError(QStringLiteral("Cannot write \"%1\": another program has been writing it for %2 seconds. "
                                         "Nothing was changed; try again when it has finished.")
                              .arg(QDir::toNativeSeparators(path))
                              .arg(timeoutMs / 1000));
        QThread::msleep(20);
    }
}

FileLock::WriteLock::~WriteLock()
{
    if (!m_held)
        return;
    const std::lock_guard<std::mutex> guard(registryMutex);
    const auto it = writeLocks().find(m_lockFile);
    if (it == writeLocks().end() || --it->second.count > 0)
        return;
    unlockAndRemove(it->second.fd, m_lockFile);
    writeLocks().erase(it);
}
