#pragma once

#include <QByteArray>
#include <QString>

class QFileDevice;

// Writes into a file of fixed-size records, in place. The file must be open unbuffered,
// so that its reads see these writes at once. The caller holds the file's write lock, so
// that its check for outside changes and the write form one step.
namespace RecordWrite {
// One positioned write of the whole record at offset, checked and flushed to the disk
// (fdatasync). When not every byte could be written, or the flush fails, the bytes it
// replaced are put back and a grown file is cut to its old length, so the file holds
// what it held before. Raises IoError "Cannot write "<name>": <reason>" with the system's reason.
void writeAt(QFileDevice &file, qint64 offset, const QByteArray &bytes, const QString &name);

// Cuts the file to size bytes and flushes it to the disk; raises IoError
// "Cannot truncate "<name>": <reason>".
void truncate(QFileDevice &file, qint64 size, const QString &name);
}
