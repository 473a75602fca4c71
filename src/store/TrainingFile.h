#pragma once

#include "common/FileIdentity.h"
#include "common/FileLock.h"
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

    enum class Access { ReadWrite, ReadOnly };

    // ReadWrite opens the file for reading and writing, creating it empty when missing;
    // ReadOnly opens an existing file for reading only, for commands that only read.
    void open(const QString &path, Access access = Access::ReadWrite);
    // The program's open: for reading and writing when it can. A file that exists but
    // cannot be opened for writing (its permissions, a read-only file system) is opened
    // for reading; every change is then refused with an IoError that says why.
    // The program also marks the file as in use for as long as it has it open; a file
    // that another copy of the program has marked is opened for reading only.
    // Returns the access it got; raises IoError when the file cannot be opened at all.
    Access openForEditing(const QString &path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    bool isReadOnly() const { return m_access == Access::ReadOnly; }
    // Why the file could not be opened for writing, after openForEditing fell back.
    QString readOnlyReason() const { return m_readOnlyReason; }
    QString fileName() const { return m_file.fileName(); }

    int RecordCount() const;
    // The file's size in bytes, a partial last record included.
    qint64 byteSize() const;
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
    // 0 <= n <= RecordCount; n == RecordCount appends. One positioned write of the whole
    // record, flushed to the disk; a failed write leaves the file as it was.
    void WriteRecord(int n, const WorkoutRecord &record);
    void TruncateTo(int count);

    // Deleting and undoing write the new content to a temporary file in the same
    // folder and rename it over the old one, so a failure or a crash at any moment
    // leaves either the old or the new file whole.
    void RemoveRecord(int n, const ProgressCallback &progress = {});
    void InsertRecord(int n, const WorkoutRecord &record, const ProgressCallback &progress = {});

    // Every change first checks that the path still names the file opened here, as this
    // object left it; otherwise it raises FileChangedError ("The training file was
    // changed outside Fortavo."), writes nothing and calls the outside-change handler
    // first. checkUnchanged() makes that check alone.
    void checkUnchanged();
    bool changedOutside() const;
    void setOutsideChangeHandler(std::function<void()> handler) { m_onOutsideChange = std::move(handler); }
    // Opens the file that the path names now, with the same access. position is a save
    // position in the old file; returned is the save position for the new one: the
    // same record when it still holds the same bytes, otherwise the append position.
    int reopenAfterOutsideChange(int position);
    // Opens the file the path names now, after this program replaced it; the access and
    // the in-use mark stay.
    void reopen();

    // Tests put a device between the rewrite and its temporary file to fail it.
    void setRewriteWrapper(WholeFile::TargetWrapper wrapper) { m_wrapper = std::move(wrapper); }

private:
    void requireOpen() const;
    void requireWritable() const;
    void openFile(const QString &path, Access access);
    void rememberIdentity();
    [[noreturn]] void fail(const QString &what) const;
    void rewrite(const std::function<void(QIODevice &out)> &writeContent);
    void copyRecords(QIODevice &out, int first, int count, qint64 doneBefore, qint64 total,
                     const ProgressCallback &progress);

    mutable QFile m_file;
    Access m_access = Access::ReadWrite;
    QString m_readOnlyReason;
    WholeFile::TargetWrapper m_wrapper;
    FileIdentity m_identity;
    std::unique_ptr<FileLock::Mark> m_mark;
    std::function<void()> m_onOutsideChange;
};
