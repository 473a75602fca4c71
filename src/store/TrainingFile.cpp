#include "store/TrainingFile.h"

#include "common/Errors.h"

#include <QDir>
#include <QFileInfo>

TrainingFile::~TrainingFile()
{
    close();
}

void TrainingFile::open(const QString &path)
{
    close();
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadWrite))
        throw IoError(QStringLiteral("Cannot open file \"%1\": %2").arg(QDir::toNativeSeparators(path), m_file.errorString()));
}

void TrainingFile::close()
{
    if (m_file.isOpen())
        m_file.close();
}

void TrainingFile::requireOpen() const
{
    if (!m_file.isOpen())
        throw IoError(QStringLiteral("No training file is open."));
}

void TrainingFile::fail(const QString &what) const
{
    throw IoError(QStringLiteral("%1 \"%2\": %3").arg(what, QDir::toNativeSeparators(m_file.fileName()), m_file.errorString()));
}

int TrainingFile::RecordCount() const
{
    requireOpen();
    return int(m_file.size() / WorkoutRecord::Size);
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
    requireOpen();
    if (n < 0 || n > RecordCount())
        throw IoError(QStringLiteral("Write beyond end of file \"%1\"").arg(QDir::toNativeSeparators(m_file.fileName())));
    const QByteArray bytes = record.encode();
    if (!m_file.seek(qint64(n) * WorkoutRecord::Size) || m_file.write(bytes) != bytes.size() || !m_file.flush())
        fail(QStringLiteral("Cannot write"));
}

void TrainingFile::TruncateTo(int count)
{
    requireOpen();
    if (count < 0 || count > RecordCount())
        throw IoError(QStringLiteral("Invalid record count for \"%1\"").arg(QDir::toNativeSeparators(m_file.fileName())));
    if (!m_file.resize(qint64(count) * WorkoutRecord::Size))
        fail(QStringLiteral("Cannot truncate"));
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
    const QString path = m_file.fileName();
    WholeFile::write(path, writeContent, m_wrapper);
    // The old handle still points at the replaced file.
    open(path);
}

void TrainingFile::RemoveRecord(int n, const ProgressCallback &progress)
{
    const int count = RecordCount();
    if (n < 0 || n >= count)
        throw IoError(QStringLiteral("Read beyond end of file \"%1\"").arg(QDir::toNativeSeparators(m_file.fileName())));
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
