#include "common/FileWatch.h"

#include <QFileInfo>

FileWatch::FileWatch(std::function<void()> changed, QObject *parent) : QObject(parent), m_changed(std::move(changed))
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(100);
    connect(&m_settle, &QTimer::timeout, this, [this] { m_changed(); });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, [this] {
        rearm();
        m_settle.start();
    });
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        // Every file in the folder shows here: only one that names our file again counts.
        if (!m_watcher.files().contains(m_path) && QFileInfo::exists(m_path)) {
            rearm();
            m_settle.start();
        }
    });
}

void FileWatch::setFile(const QString &path)
{
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (m_path.isEmpty())
        return;
    m_watcher.addPath(QFileInfo(m_path).absolutePath());
    rearm();
}

void FileWatch::rearm()
{
    // The watch follows the file it was set on; after a replace the name means another.
    if (m_watcher.files().contains(m_path))
        m_watcher.removePath(m_path);
    if (QFileInfo::exists(m_path))
        m_watcher.addPath(m_path);
}
