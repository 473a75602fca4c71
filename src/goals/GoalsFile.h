#pragma once

#include "common/FileClaim.h"
#include "common/WholeFile.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <functional>
#include <memory>

// What a goal's status byte means.
namespace GoalStatus {
constexpr quint8 Unsuccessful = 0;
constexpr quint8 Pending = 1;
constexpr quint8 Completed = 2;
}

// One fitness goal: one 328-byte record of the goals file.
struct GoalRecord {
    double StartDate = 0; // day count of the day the goal was set
    double Deadline = 0;  // day count; a time of day it carries stays in the value
    QString Name;         // at most 50 bytes stored
    QString Description;  // at most 255 bytes stored
    quint8 Status = GoalStatus::Pending;

    static constexpr int Size = 328;
    static constexpr int NameCapacity = 50;
    static constexpr int DescriptionCapacity = 255;

    // Field by field at the layout's offsets; bytes after each text and the padding
    // are zeros.
    QByteArray encode() const;
    // Reads Size bytes.
    static GoalRecord decode(const char *bytes);
    bool operator==(const GoalRecord &) const = default;
};

namespace GoalLayout {
constexpr int StartDate = 0;
constexpr int Deadline = 8;
constexpr int Name = 16;
constexpr int Description = 67;
constexpr int Status = 323;
constexpr int Padding = 324;
}

// The open goals file: 328-byte records, no header, read and written one record at a
// time. A trailing piece shorter than a record is not a goal: it is never shown, cut
// off or overwritten. Failures raise IoError naming the file.
class GoalsFile {
public:
    static inline const QString DefaultName = QStringLiteral("goals.dat");

    GoalsFile() = default;
    ~GoalsFile();
    GoalsFile(const GoalsFile &) = delete;
    GoalsFile &operator=(const GoalsFile &) = delete;

    // The full name of the configured file: a bare name lies in the program folder; an
    // empty one, or one that names the program folder itself (no configuration, or an
    // empty value), means "goals.dat" there.
    static QString resolveName(const QString &configured);

    // Opens the file for reading and writing, creating it empty when missing.
    void open(const QString &path);
    // The program marks the open file as in use. False when another copy of the program
    // has it: every change is then refused with an IoError that says so.
    bool claimInUse();
    // Who holds the file when claimInUse() gave false.
    FileLock::Holder heldBy() const { return m_claim.heldBy(); }
    // Opens an existing file for reading only.
    void openReadOnly(const QString &path);
    void close();
    bool isOpen() const { return m_file.isOpen(); }
    QString fileName() const { return m_file.fileName(); }

    // Whole records only.
    int RecordCount() const;
    // The bytes after the last whole record (0 for a sound file).
    int partialTailSize() const;

    QByteArray readRaw(int n);
    GoalRecord ReadRecord(int n);
    // All whole records' bytes, in one read.
    QByteArray readAllRaw();

    // 0 <= n <= RecordCount; n == RecordCount adds a goal. Overwriting, or adding to a
    // sound file, is one positioned write of the whole record. Adding to a file with a
    // partial tail puts the goal before the tail, through a whole-file rewrite.
    void WriteRecord(int n, const GoalRecord &record);
    // Changes only the status byte of record n; every other byte stays as stored.
    void setStatus(int n, quint8 status);
    // Moves the later records down one place and shortens the file, through a
    // temporary file renamed over the old one: a failure leaves the old file whole.
    void RemoveRecord(int n);

    // Every change first checks that the path still names the file opened here, as this
    // object left it; otherwise it raises FileChangedError ("The goals file was changed
    // outside Fortavo."), writes nothing and calls the outside-change handler first.
    void checkUnchanged();
    bool changedOutside() const;
    void setOutsideChangeHandler(std::function<void()> handler) { m_claim.setOutsideChangeHandler(std::move(handler)); }
    // Opens the file the path names now. position is a save position in the old file;
    // returned is the one for the new file: the same record when it still holds the
    // same bytes, otherwise the position of a new goal.
    int reopenAfterOutsideChange(int position);

    // Tests put a device between a rewrite and its temporary file to fail it.
    void setRewriteWrapper(WholeFile::TargetWrapper wrapper) { m_wrapper = std::move(wrapper); }

private:
    void requireOpen() const;
    void requireRecord(int n) const;
    [[noreturn]] void fail(const QString &what) const;
    void writeRaw(int n, const QByteArray &bytes);
    void rewrite(const QByteArray &content);
    QByteArray readSpan(qint64 offset, qint64 length);
    void openFile(const QString &path);
    void requireWritable() const;

    mutable QFile m_file;
    WholeFile::TargetWrapper m_wrapper;
    FileClaim m_claim;
};
