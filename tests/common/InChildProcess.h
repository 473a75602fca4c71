#pragma once

#include "common/Errors.h"

#include <QByteArray>
#include <QString>
#include <QTest>

#include <cerrno>
#include <csignal>
#include <grp.h>
#include <functional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs work in a forked child and returns its result text, or "IoError: <message>"
// when it raised one. The child can be limited to files of fileSizeLimit bytes, with
// SIGXFSZ ignored so that a write past the limit fails with "File too large" as on a
// full disk; asNobody drops root's rights first (its groups too), so that file
// permissions count as for an ordinary user.
struct ChildOptions {
    rlim_t fileSizeLimit = RLIM_INFINITY;
    bool asNobody = false;
};

inline QString inChildProcess(const std::function<QString()> &work, ChildOptions options = {})
{
    int channel[2];
    if (::pipe(channel) != 0)
        qFatal("pipe failed");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(channel[0]);
        QByteArray result;
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{options.fileSizeLimit, options.fileSizeLimit};
        if (options.asNobody && ::geteuid() == 0
            && (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            result = "setuid failed";
        else if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            result = "setrlimit failed";
        else {
            try {
                result = work().toUtf8();
            } catch (const IoError &e) {
                result = "IoError: " + e.message().toUtf8();
            } catch (const FortavoError &e) {
                result = "FortavoError: " + e.message().toUtf8();
            }
        }
        const ssize_t written = ::write(channel[1], result.constData(), size_t(result.size()));
        ::_exit(written == result.size() ? 0 : 1);
    }
    ::close(channel[1]);
    QByteArray result;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
        if (n > 0)
            result.append(buffer, n);
        else if (errno != EINTR)
            break;
    }
    ::close(channel[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("child failed with status %1").arg(status);
    return QString::fromUtf8(result);
}
