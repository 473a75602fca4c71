#include "common/RecordWrite.h"

#include "common/Errors.h"
#include "common/WholeFile.h"

#include <QDir>
#include <QFileDevice>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {
[[noreturn]] void fail(const QString &what, const QString &name, const QString &reason)
{
    throw IoError(QStringLiteral("%1 \"%2\": %3").arg(what, QDir::toNativeSeparators(name), reason));
}

int descriptor(QFileDevice &file, const QString &name)
{
    const int fd = file.handle();
    if (fd < 0)
        fail(QStringLiteral("Cannot write"), name, QStringLiteral("the file is not open."));
    return fd;
}

// Writes from offset on; returns the bytes written, with errno set when short.
qint64 positionedWrite(int fd, const char *data, qint64 length, qint64 offset)
{
    qint64 done = 0;
    while (done < length) {
        const ssize_t n = ::pwrite(fd, data + done, size_t(length - done), off_t(offset + done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            if (n == 0)
                errno = ENOSPC;
            break;
        }
        done += n;
    }
    return done;
}

// Puts back the bytes a failed write replaced and the old length; best effort, as the
// disk has just refused a write.
void restore(int fd, qint64 offset, const QByteArray &old, qint64 oldSize, qint64 written)
{
    positionedWrite(fd, old.constData(), qMin<qint64>(old.size(), written), offset);
    struct stat st;
    if (::fstat(fd, &st) == 0 && st.st_size > oldSize && ::ftruncate(fd, off_t(oldSize)) != 0) {
        // Nothing more can be done: the error of the write is what the user hears of.
    }
}
}

void RecordWrite::writeAt(QFileDevice &file, qint64 offset, const QByteArray &bytes, const QString &name)
{
    const int fd = descriptor(file, name);
    struct stat st;
    if (::fstat(fd, &st) != 0)
        fail(QStringLiteral("Cannot write"), name, WholeFile::systemReason(errno));
    const qint64 oldSize = st.st_size;
    // The bytes this write replaces, to put back if it fails half way.
    QByteArray old(qBound<qint64>(0, oldSize - offset, bytes.size()), Qt::Uninitialized);
    if (!old.isEmpty() && ::pread(fd, old.data(), size_t(old.size()), off_t(offset)) != old.size())
        fail(QStringLiteral("Cannot write"), name, WholeFile::systemReason(errno));

    const qint64 written = positionedWrite(fd, bytes.constData(), bytes.size(), offset);
    if (written != bytes.size()) {
        const int error = errno;
        restore(fd, offset, old, oldSize, written);
        fail(QStringLiteral("Cannot write"), name, WholeFile::systemReason(error));
    }
    if (::fdatasync(fd) != 0) {
        // The new bytes may or may not be on the disk: the record is put back as it was,
        // so that what the program reads afterwards is the old record, not a half-saved one.
        const int error = errno;
        restore(fd, offset, old, oldSize, written);
        fail(QStringLiteral("Cannot write"), name, WholeFile::systemReason(error));
    }
}

void RecordWrite::truncate(QFileDevice &file, qint64 size, const QString &name)
{
    const int fd = descriptor(file, name);
    if (::ftruncate(fd, off_t(size)) != 0 || ::fdatasync(fd) != 0)
        fail(QStringLiteral("Cannot truncate"), name, WholeFile::systemReason(errno));
}
