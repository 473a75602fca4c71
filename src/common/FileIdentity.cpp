#include "common/FileIdentity.h"

#include <QFile>

#include <sys/stat.h>

namespace {
FileIdentity fromStat(const struct stat &st)
{
    FileIdentity id;
    id.valid = true;
    id.device = st.st_dev;
    id.inode = st.st_ino;
    id.size = st.st_size;
    id.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    return id;
}
}

FileIdentity FileIdentity::ofDescriptor(int fd)
{
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0)
        return {};
    return fromStat(st);
}

FileIdentity FileIdentity::ofPath(const QString &path)
{
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return fromStat(st);
}
