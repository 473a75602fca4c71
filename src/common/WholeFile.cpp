#include "common/WholeFile.h"

#include "common/BackgroundFlush.h"
#include "common/Errors.h"
#include "common/FileLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
[[noreturn]] void cannotWrite(const QString &path, const QString &reason)
{
    throw IoError(QStringLiteral("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(path), reason));
}

QByteArray nativePath(const QString &path)
{
    return QFile::encodeName(path);
}

// An unbuffered device over an open descriptor. Every byte it is given is written or
// the failure is kept: later writes fail too, so a writer that ignores one result
// still cannot make a short file look complete.
class DescriptorDevice : public QIODevice {
public:
    // flushAsWritten: a new regular file, whose bytes go on to the disk as they come.
    explicit DescriptorDevice(int fd, bool flushAsWritten = false) : m_fd(fd)
    {
        if (flushAsWritten)
            m_flush = std::make_unique<BackgroundFlush>(fd);
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    bool failed() const { return m_failed; }
    qint64 written() const { return m_written; }

    // Ends the flushing as the bytes came; a flush that failed fails the device.
    void finishFlush()
    {
        const int error = m_flush ? m_flush->finish() : 0;
        if (error != 0 && !m_failed) {
            m_failed = true;
            setErrorString(WholeFile::systemReason(error));
        }
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 length) override
    {
        if (m_failed)
            return -1;
        qint64 done = 0;
        while (done < length) {
            const ssize_t n = ::write(m_fd, data + done, size_t(length - done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                m_failed = true;
                setErrorString(n < 0 ? WholeFile::systemReason(errno) : QStringLiteral("Nothing could be written"));
                return -1;
            }
            done += n;
        }
        m_written += done;
        if (m_flush)
            m_flush->written(m_written);
        return done;
    }

private:
    int m_fd;
    std::unique_ptr<BackgroundFlush> m_flush;
    bool m_failed = false;
    qint64 m_written = 0;
};

// A new file beside the target, removed again unless it was renamed over the target.
class TemporaryBeside {
public:
    TemporaryBeside(const QString &target, const QString &name) : m_target(target), m_name(name)
    {
        const QFileInfo info(target);
        for (int attempt = 0; m_fd < 0; ++attempt) {
            m_path = info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.')
                     + QString::number(QRandomGenerator::global()->generate(), 36) + QStringLiteral(".part");
            m_fd = ::open(nativePath(m_path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (m_fd < 0 && (errno != EEXIST || attempt > 100))
                cannotWrite(name, WholeFile::systemReason(errno));
        }
        // Held until the file is renamed or removed: the lock tells a later write that
        // this file is no leftover of a killed writer.
        m_lockFd = ::open(nativePath(m_path).constData(), O_RDONLY | O_CLOEXEC);
        if (m_lockFd >= 0)
            ::flock(m_lockFd, LOCK_EX);
        struct stat old;
        if (::stat(nativePath(target).constData(), &old) == 0)
            ::fchmod(m_fd, old.st_mode & 07777); // the replacement keeps the old file's permissions
    }
    ~TemporaryBeside()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        if (!m_renamed)
            ::unlink(nativePath(m_path).constData());
        if (m_lockFd >= 0)
            ::close(m_lockFd);
    }
    TemporaryBeside(const TemporaryBeside &) = delete;
    TemporaryBeside &operator=(const TemporaryBeside &) = delete;

    int fd() const { return m_fd; }

    // Flushes the content to the disk, closes, renames it over the target and flushes
    // the folder, so that the rename itself survives a power loss.
    void commit(qint64 expectedSize)
    {
        struct stat st;
        if (::fstat(m_fd, &st) != 0)
            fail(errno);
        if (st.st_size != expectedSize)
            cannotWrite(m_name, QStringLiteral("only %1 of %2 bytes reached the file").arg(st.st_size).arg(expectedSize));
        if (::fsync(m_fd) != 0)
            fail(errno);
        const int fd = m_fd;
        m_fd = -1;
        if (::close(fd) != 0)
            fail(errno);
        if (::rename(nativePath(m_path).constData(), nativePath(m_target).constData()) != 0)
            fail(errno);
        m_renamed = true;
        syncFolder();
    }

private:
    [[noreturn]] void fail(int errorNumber) const { cannotWrite(m_name, WholeFile::systemReason(errorNumber)); }

    void syncFolder() const
    {
        const int dir = ::open(nativePath(QFileInfo(m_target).absolutePath()).constData(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir < 0)
            fail(errno);
        const int result = ::fsync(dir);
        const int error = errno;
        ::close(dir);
        // Some file systems cannot flush a folder; the rename is then as safe as they allow.
        if (result != 0 && error != EINVAL && error != ENOTSUP)
            fail(error);
    }

    QString m_target;
    QString m_name; // as the user gave it, for messages
    QString m_path;
    int m_fd = -1;
    int m_lockFd = -1;
    bool m_renamed = false;
};

// The name pattern of the temporary files of target: "." name "." base-36 ".part".
QRegularExpression temporaryPattern(const QString &fileName)
{
    return QRegularExpression(QStringLiteral("^\\.") + QRegularExpression::escape(fileName)
                              + QStringLiteral("\\.[0-9a-z]+\\.part$"));
}

// True when no live writer holds the temporary file (its lock is free).
bool abandoned(const QString &path)
{
    const int fd = ::open(nativePath(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st;
    const bool free = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd);
    return free;
}

void runWriter(QIODevice &device, const std::function<void(QIODevice &out)> &writeContent,
               const WholeFile::TargetWrapper &wrapper)
{
    if (wrapper) {
        const std::unique_ptr<QIODevice> wrapped = wrapper(device);
        writeContent(*wrapped);
    } else {
        writeContent(device);
    }
}

// A device or pipe cannot be replaced by a rename: its writes go straight to it.
void writeInPlace(const QString &path, const std::function<void(QIODevice &out)> &writeContent,
                  const WholeFile::TargetWrapper &wrapper)
{
    const int fd = ::open(nativePath(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        cannotWrite(path, WholeFile::systemReason(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    DescriptorDevice device(fd);
    runWriter(device, writeContent, wrapper);
    if (device.failed())
        cannotWrite(path, device.errorString());
}
}

QString WholeFile::systemReason(int errorNumber)
{
    return QString::fromLocal8Bit(std::strerror(errorNumber));
}

QByteArray WholeFile::read(const QString &path, const QString &what)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Cannot open %1 \"%2\". %3").arg(what, path, file.errorString()));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw IoError(QStringLiteral("Cannot read %1 \"%2\". %3").arg(what, path, file.errorString()));
    return bytes;
}

void WholeFile::refuseNonRegular(const QString &path, const QString &what)
{
    struct stat st;
    if (::stat(nativePath(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
        return; // a missing file is the caller's to create or report
    const QString reason = S_ISDIR(st.st_mode) ? QStringLiteral("it is a folder, not a file.")
                                               : QStringLiteral("it is not a regular file (a pipe, a device or a socket).");
    throw IoError(QStringLiteral("Cannot open %1 \"%2\": %3").arg(what, QDir::toNativeSeparators(path), reason));
}

QString WholeFile::resolveLinks(const QString &path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int links = 0; QFileInfo(current).isSymLink(); ++links) {
        if (links == 40)
            cannotWrite(path, systemReason(ELOOP));
        // symLinkTarget() makes a relative target absolute against the link's folder.
        current = QFileInfo(current).symLinkTarget();
    }
    return current;
}

void WholeFile::removeLeftoverTemporaries(const QString &path)
{
    const QFileInfo info(path);
    const QRegularExpression pattern = temporaryPattern(info.fileName());
    const QDir folder(info.absolutePath());
    const QStringList candidates = folder.entryList({QStringLiteral(".*.part")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : candidates) {
        const QString candidate = folder.filePath(name);
        if (pattern.match(name).hasMatch() && abandoned(candidate))
            ::unlink(nativePath(candidate).constData());
    }
}

void WholeFile::writeTo(QIODevice &out, const QByteArray &bytes, const QString &path)
{
    if (out.write(bytes) != bytes.size())
        cannotWrite(path, out.errorString());
}

void WholeFile::checkTarget(const QString &path)
{
    if (path.isEmpty())
        throw IoError(QStringLiteral("Cannot write a file without a name: the output file name is empty."));
    const QFileInfo info(path);
    if (info.isDir() || info.fileName().isEmpty())
        cannotWrite(path, QStringLiteral("it is a folder, not a file."));
    const QFileInfo folder(info.absolutePath());
    if (!folder.exists())
        cannotWrite(path, QStringLiteral("the folder \"%1\" does not exist.").arg(QDir::toNativeSeparators(folder.filePath())));
    if (!folder.isDir())
        cannotWrite(path, QStringLiteral("\"%1\" is not a folder.").arg(QDir::toNativeSeparators(folder.filePath())));
}

void WholeFile::write(const QString &path, const std::function<void(QIODevice &out)> &writeContent,
                      const TargetWrapper &wrapper)
{
    checkTarget(path);
    const QString target = resolveLinks(path);
    struct stat st;
    if (::stat(nativePath(target).constData(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            return writeInPlace(target, writeContent, wrapper);
        // An existing file that may not be written is not replaced either.
        if (::access(nativePath(target).constData(), W_OK) != 0)
            cannotWrite(path, systemReason(errno));
    }

    // Other writers of the file wait until it has been replaced.
    const FileLock::WriteLock lock(target);
    removeLeftoverTemporaries(target);
    TemporaryBeside temporary(target, path);
    DescriptorDevice device(temporary.fd(), true);
    runWriter(device, writeContent, wrapper);
    device.finishFlush();
    // Checked here as well: a writer that went on after a failed write must not commit.
    if (device.failed())
        cannotWrite(path, device.errorString());
    temporary.commit(device.written());
}

void WholeFile::write(const QString &path, const QByteArray &content, const TargetWrapper &wrapper)
{
    write(path, [&](QIODevice &out) { writeTo(out, content, path); }, wrapper);
}
