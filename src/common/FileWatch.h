#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

// Tells when a file may have been changed by another program. A file replaced by a
// rename is a new file that a plain watch loses, so the watch is set again on every
// change; the folder is watched as well, for a file that is briefly missing while a
// sync tool replaces it. Bursts of changes are told once, shortly after they settle.
class FileWatch : public QObject {
public:
    explicit FileWatch(std::function<void()> changed, QObject *parent = nullptr);

    // Watches path from now on (an empty path watches nothing).
    void setFile(const QString &path);
    QString file() const { return m_path; }

private:
    void rearm();

    std::function<void()> m_changed;
    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
};
