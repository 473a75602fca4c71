#include "store/TrainingFile.h"

#include "common/Errors.h"
#include "common/RecordWrite.h"
#include "common/WholeFile.h"

#include <QDir>
#include <QFileInfo>

TrainingFile::~TrainingFile()
{
    close();
}

namespace {
QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}
}

void TrainingFile::open(const QString &path, Access access)
{
    close();
    openFile(path, access);
}

void TrainingFile::openFile(const QString &path, Access access)
{
    if (m_file.isOpen())
        m_file.close();
    m_file.setFileName(path);
    m_access = access;
    m_readOnlyReason.clear();
    WholeFile::refuseNonRegular(path);
    // Unbuffered: single records are written beside QFile, and every read must see them.
    const QIODevice::OpenMode mode = access == Access::ReadOnly ? QIODevice::ReadOnly : QIODevice::ReadWrite;
    if (!m_file.open(mode | QIODevice::Unbuffered))
        throw IoError(QStringLiteral("Cannot open file \"%1\": %2").arg(shown(path), m_file.errorString()));
    rememberIdentity();
}

void TrainingFile::rememberIdentity()
{
    m_identity = FileIdentity::ofDescriptor(m_file.handle());
}

bool TrainingFile::changedOutside() const
{
    return m_file.isOpen() && !(FileIdentity::ofPath(m_file.fileName()) == m_identity);
}

void TrainingFile::checkUnchanged()
{
    if (!changedOutside())
        return;
    if (m_onOutsideChange)
        m_onOutsideChange();
    throw FileChangedError(QStringLiteral("The training file was changed outside Fortavo."));
}

void TrainingFile::reopen()
{
    requireOpen();
    const QString reason = m_readOnlyReason;
    openFile(m_file.fileName(), m_access);
    m_readOnlyReason = reason;
}

int TrainingFile::reopenAfterOutsideChange(int position)
{
    requireOpen();
    const int oldCount = RecordCount();
    const QByteArray old = position >= 0 && position < oldCount ? readRaw(position, 1) : QByteArray();
    reopen();
    const int count = RecordCount();
    if (!old.isEmpty() && position < count && readRaw(position, 1) == old)
        return position;
    return count;
}

TrainingFile::Access TrainingFile::openForEditing(const QString &path)
{
    close(); // our own mark on the file open until now would count as another holder
    auto mark = std::make_unique<FileLock::Mark>(path, QStringLiteral("Fortavo"));
    if (!mark->claim()) {
        open(path, Access::ReadOnly);
        m_readOnlyReason = QStringLiteral("it is open in another copy of Fortavo: %1").arg(mark->holder().text());
        return Access::ReadOnly;
    }
    try {
        open(path, Access::ReadWrite);
    } catch (const IoError &) {
        if (!QFileInfo(path).isFile())
            throw;
        const QString reason = m_file.errorString();
        open(path, Access::ReadOnly);
        m_readOnlyReason = reason;
        return Access::ReadOnly;
    }
    m_mark = std::move(mark);
    return Access::ReadWrite;
}

void TrainingFile::close()
{
    if (m_file.isOpen())
        m_file.close();
    m_identity = {};
    m_mark.reset();
}

void TrainingFile::requireOpen() const
{
    if (!m_file.isOpen())
        throw IoError(QStringLiteral("No training file is open."));
}

void TrainingFile::requireWritable() const
{
    requireOpen();
    if (m_access == Access::ReadOnly)
        throw IoError(QStringLiteral("Cannot save to \"%1\": the training file is open read-only%2. Nothing was changed.")
                          .arg(shown(m_file.fileName()),
                               m_readOnlyReason.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(m_readOnlyReason)));
}

void TrainingFile::fail(const QString &what) const
{
    throw IoError(QStringLiteral("%1 \"%2\": %3").arg(what, shown(m_file.fileName()), m_file.errorString()));
}

qint64 TrainingFile::byteSize() const
{
    requireOpen();
    return m_file.size();
}

int TrainingFile::RecordCount() const
{
    return int(byteSize() / WorkoutRecord::Size);
}

QByteArray TrainingFile::readRaw(int first, int count)
{
    requireOpen();
    if (first < 0 || count < 0 || first + count > RecordCount())
        throw IoError(QStringLiteral("Read beyond end of file \"%1\"").arg(QDir::toNativeSeparators(m_file.fileName())));
    const qint64 bytes = qint64(count) * WorkoutRecord::Size;
    if (!m_file.seek(qint64(first) * WorkoutRecord::Size))
        fail(QStringLiteral("Cannot read"));
    QByteArray data = m_file.read(bytes);
    if (data.size() != bytes)
        fail(QStringLiteral("Cannot read"));
    return data;
}

WorkoutRecord TrainingFile::ReadRecord(int n)
{
    const QByteArray data = readRaw(n, 1);
    return WorkoutRecord::decode(data.constData());
}

void TrainingFile::WriteRecord(int n, const WorkoutRecord &record)
{
    requireWritable();
    if (n < 0 || n > RecordCount())
        throw IoError(QStringLiteral("Write beyond end of file \"%1\"").arg(shown(m_file.fileName())));
    const FileLock::WriteLock lock(m_file.fileName());
    checkUnchanged();
    RecordWrite::writeAt(m_file, qint64(n) * WorkoutRecord::Size, record.encode(), m_file.fileName());
    rememberIdentity();
}

void TrainingFile::TruncateTo(int count)
{
    requireWritable();
    if (count < 0 || count > RecordCount())
        throw IoError(QStringLiteral("Invalid record count for \"%1\"").arg(shown(m_file.fileName())));
    const FileLock::WriteLock lock(m_file.fileName());
    checkUnchanged();
    RecordWrite::truncate(m_file, qint64(count) * WorkoutRecord::Size, m_file.fileName());
    rememberIdentity();
}

void TrainingFile::forEachChunk(int first, int count,
                               const std::function<void(const QByteArray &bytes, int n)> &visit,
                               const ProgressCallback &progress)
{
    constexpr int chunk = 1024; // records per read: about 3 MB
    for (int start = first; start < first + count; start += chunk) {
        const int n = qMin(chunk, first + count - start);
        visit(readRaw(start, n), n);
        if (progress)
            progress(start + n - first, count);
    }
}

void TrainingFile::forEachRaw(int first, int count, const std::function<void(const char *record)> &visit,
                              const ProgressCallback &progress)
{
    forEachChunk(first, count, [&](const QByteArray &bytes, int n) {
        for (int i = 0; i < n; ++i)
            visit(bytes.constData() + qsizetype(i) * WorkoutRecord::Size);
    }, progress);
}

void TrainingFile::copyRecords(QIODevice &out, int first, int count, qint64 doneBefore, qint64 total,
                               const ProgressCallback &progress)
{
    forEachChunk(first, count, [&](const QByteArray &bytes, int) { WholeFile::writeTo(out, bytes, fileName()); },
                 [&](qint64 done, qint64) {
                     if (progress)
                         progress(doneBefore + done, total);
                 });
}

void TrainingFile::rewrite(const std::function<void(QIODevice &out)> &writeContent)
{
    requireWritable();
    const QString path = m_file.fileName();
    const FileLock::WriteLock lock(path);
    checkUnchanged();
    WholeFile::write(path, writeContent, m_wrapper);
    // The old handle still points at the replaced file.
    openFile(path, m_access);
}

void TrainingFile::RemoveRecord(int n, const ProgressCallback &progress)
{
    const int count = RecordCount();
    if (n < 0 || n >= count)
        throw IoError(QStringLiteral("Read beyond end of file \"%1\"").arg(shown(m_file.fileName())));
    rewrite([&](QIODevice &out) {
        copyRecords(out, 0, n, 0, count - 1, progress);
        copyRecords(out, n + 1, count - n - 1, n, count - 1, progress);
    });
}

void TrainingFile::InsertRecord(int n, const WorkoutRecord &record, const ProgressCallback &progress)
{
    const int count = RecordCount();
    const int at = qBound(0, n, count);
    rewrite([&](QIODevice &out) {
        copyRecords(out, 0, at, 0, count + 1, progress);
        WholeFile::writeTo(out, record.encode(), fileName());
        copyRecords(out, at, count - at, at + 1, count + 1, progress);
    });
}
