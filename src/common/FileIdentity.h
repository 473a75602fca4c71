#pragma once

#include <QString>

#include <sys/types.h>

// Which file a path or a descriptor names, and its state: device, inode, size and the
// time of its last change. A writer that remembers the identity of the file it opened
// can tell before it writes whether the path now names another file (replaced by a
// rename) or the file was changed by someone else.
struct FileIdentity {
    bool valid = false;
    dev_t device = 0;
    ino_t inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;

    // An invalid identity when the descriptor or path cannot be examined (a missing file).
    static FileIdentity ofDescriptor(int fd);
    static FileIdentity ofPath(const QString &path);

    bool sameFile(const FileIdentity &other) const
    {
        return valid && other.valid && device == other.device && inode == other.inode;
    }
    bool operator==(const FileIdentity &other) const
    {
        return sameFile(other) && size == other.size && modifiedNs == other.modifiedNs;
    }
};
