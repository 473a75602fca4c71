#pragma once

#include <QString>

// Advisory locks that keep writers of one data file from losing each other's work.
//
// Each data file has a lock file beside it, ".<name>.lock", on which the writers take
// open file description locks (they belong to the open file, not to the process, and
// the system drops them when the holder dies, so a killed writer never blocks anyone):
// - byte 0, the in-use mark: held by the program for as long as it has the file open,
//   and by a writing fortavo-cli command for its run. The holder writes its process
//   id, host name and program name into the lock file, so others can say who has it.
// - byte 1, the write lock: held by every writer for the time it writes.
// The lock file beside the data file, rather than a lock on the data file itself,
// stays the same file when a writer replaces the data file by a rename.
namespace FileLock {
// The lock file of path: ".<name>.lock" in the folder of the file path names (a
// symbolic link is followed, so every name of one file shares one lock).
QString lockFileName(const QString &path);

// Who holds an in-use mark.
struct Holder {
    qint64 pid = 0;
    QString host;
    QString program;
    bool isSet() const { return pid > 0; }
    bool onThisHost() const;
    // e.g. "Fortavo, process 1234 on host-name"
    QString text() const;
};

// The host name this program writes into its marks.
QString thisHost();

// The in-use mark of one data file, held from claim() until release() or destruction.
// A process that ends without unwinding (SIGTERM, SIGHUP, SIGINT, exit()) clears the
// marks it holds on the way out.
class Mark {
public:
    // program: the name written into the mark ("Fortavo", "fortavo-cli").
    Mark(const QString &path, const QString &program);
    ~Mark();
    Mark(const Mark &) = delete;
    Mark &operator=(const Mark &) = delete;

    // True when this mark now holds the file. False when another process holds it:
    // holder() then says who. A mark left by a process that is gone is taken over, and
    // a note saying so goes to standard error (and to note()). A lock file that cannot
    // be made (a read-only folder) leaves the file unmarked: claim() then gives true,
    // as nothing can replace the file in such a folder either.
    bool claim();
    void release();
    bool isClaimed() const { return m_fd >= 0; }
    Holder holder() const { return m_holder; }
    QString note() const { return m_note; }
    QString dataFile() const { return m_path; }

private:
    QString m_path;
    QString m_lockFile;
    QString m_program;
    int m_fd = -1;
    Holder m_holder;
    QString m_note;
};

// Held while a writer writes path. Nested locks of one path in one process share the
// lock. Waits for another writer to finish for up to timeoutMs, then raises IoError
// "Cannot write "<path>": another program has been writing it for ...". A lock file
// that cannot be made (a read-only folder) is not waited for.
class WriteLock {
public:
    explicit WriteLock(const QString &path, int timeoutMs = 15000);
    ~WriteLock();
    WriteLock(const WriteLock &) = delete;
    WriteLock &operator=(const WriteLock &) = delete;

private:
    QString m_lockFile;
    bool m_held = false;
};
}
