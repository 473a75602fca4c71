#pragma once

#include "common/WholeFile.h"
#include "store/WorkoutRecord.h"

#include <QFile>
#include <QString>

#include <functional>
#include <memory>

class QIODevice;

// Reports progress of an operation over many records: done of total.
using ProgressCallback = std::function<void(qint64 done, qint64 total)>;

// The open training file: fixed 2944-byte records, no header. Every operation goes
// to the disk at once. Failures raise IoError naming the file.
class TrainingFile {
public:
    TrainingFile() = default;
    ~TrainingFile();
    TrainingFile(const TrainingFile &) = delete;
    TrainingFile &operator=(const TrainingFile &) = delete;

    // Opens the file for reading and writing, creating it empty when missing.
    void open(const QString &path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString fileName() const { return m_file.fileName(); }

    int RecordCount() const;
    WorkoutRecord ReadRecord(int n);
    // Raw bytes of records [first, first+count), read in one go.
    QByteArray readRaw(int first, int count);
    // Reads records [first, first+count) in chunks of about 3 MB and hands each chunk's
    // bytes (n whole records) to visit; progress counts the records done of count.
    void forEachChunk(int first, int count, const std::function<void(const QByteArray &bytes, int n)> &visit,
                      const ProgressCallback &progress = {});
    // The same, one record's bytes at a time.
    void forEachRaw(int first, int count, const std::function<void(const char *record)> &visit,
                    const ProgressCallback &progress = {});
    // 0 <= n <= RecordCount; n == RecordCount appends.
    void WriteRecord(int n, const WorkoutRecord &record);
    void TruncateTo(int count);

    // Deleting and undoing write the new content to a temporary file in the same
    // folder and rename it over the old one, so a failure leaves the old file whole.
    void RemoveRecord(int n, const ProgressCallback &progress = {});
    void InsertRecord(int n, const WorkoutRecord &record, const ProgressCallback &progress = {});

    // Tests put a device between the rewrite and its temporary file to fail it.
    void setRewriteWrapper(WholeFile::TargetWrapper wrapper) { m_wrapper = std::move(wrapper); }

private:
    void requireOpen() const;
    [[noreturn]] void fail(const QString &what) const;
    void rewrite(const std::function<void(QIODevice &out)> &writeContent);
    void copyRecords(QIODevice &out, int first, int count, qint64 doneBefore, qint64 total,
                     const ProgressCallback &progress);

    mutable QFile m_file;
    WholeFile::TargetWrapper m_wrapper;
};
