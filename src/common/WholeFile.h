#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <memory>

class QIODevice;

// Files read or written in one piece.
namespace WholeFile {
// Tests put a device between a write and its temporary file to make it fail.
using TargetWrapper = std::function<std::unique_ptr<QIODevice>(QIODevice &target)>;

// The whole content; raises IoError "Cannot open <what> "<path>". <reason>".
QByteArray read(const QString &path, const QString &what = QStringLiteral("file"));

// Writes the content to a temporary file in the same folder and makes it replace path
// only once every byte is on the disk: each write is checked, the temporary file is
// flushed to the disk (fsync) and closed, renamed over path, and the folder is flushed
// too. A failure at any moment, or an exception from writeContent, leaves the old file
// byte for byte as it was and removes the temporary file.
// Raises IoError "Cannot write "<path>": <reason>" with the system's reason ("No space
// left on device", "File too large"), and names a bad target (an empty name, a folder,
// a missing folder) in plain words before anything is written. A target that is not a
// regular file (a device, a pipe) is written in place, with every write checked.
void write(const QString &path, const std::function<void(QIODevice &out)> &writeContent,
           const TargetWrapper &wrapper = {});
void write(const QString &path, const QByteArray &content, const TargetWrapper &wrapper = {});

// Writes bytes to a device, raising IoError naming path when the device fails.
void writeTo(QIODevice &out, const QByteArray &bytes, const QString &path);

// Raises the IoError of write() for a name that cannot be a file to write: an empty
// name, an existing folder, a name in a folder that does not exist.
void checkTarget(const QString &path);

// Raises IoError "Cannot open <what> "<path>": it is not a regular file ..." when path
// names a pipe, a device, a socket or a folder (after following links), so that no
// reader or writer of the program's files waits on a pipe. A missing file passes.
void refuseNonRegular(const QString &path, const QString &what = QStringLiteral("file"));

// The file a write to path replaces: every symbolic link of a chain is followed (up to
// 40 of them, as the system does); a path that is no link is made absolute.
QString resolveLinks(const QString &path);

// Removes the temporary files that earlier writes of path left behind when they were
// killed: those of path's own pattern that no live writer holds.
void removeLeftoverTemporaries(const QString &path);

// The system's text for an errno value, e.g. "No space left on device".
QString systemReason(int errorNumber);
}
