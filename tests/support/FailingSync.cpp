// A library preloaded (LD_PRELOAD) into a program under test: while the environment
// variable FORTAVO_FAIL_SYNC is set, fsync and fdatasync fail with EIO, as they do
// when the disk loses data that was written to the cache. Otherwise both pass the
// call on to the C library.

#include <cerrno>
#include <cstdlib>
#include <dlfcn.h>

namespace {
using SyncFunction = int (*)(int);

int syncOrFail(const char *name, int fd)
{
    if (std::getenv("FORTAVO_FAIL_SYNC")) {
        errno = EIO;
        return -1;
    }
    const auto next = reinterpret_cast<SyncFunction>(::dlsym(RTLD_NEXT, name));
    if (!next) {
        errno = ENOSYS;
        return -1;
    }
    return next(fd);
}
}

extern "C" {
int fsync(int fd)
{
    return syncOrFail("fsync", fd);
}

int fdatasync(int fd)
{
    return syncOrFail("fdatasync", fd);
}
}
