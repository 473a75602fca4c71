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

// Writes the content to a temporary file in the same folder, which replaces path only
// once everything is written: a failure at any moment leaves the old file as it was.
// Raises IoError "Cannot write "<path>": <reason>"; an exception from writeContent
// leaves the old file too.
void write(const QString &path, const std::function<void(QIODevice &out)> &writeContent,
           const TargetWrapper &wrapper = {});
void write(const QString &path, const QByteArray &content, const TargetWrapper &wrapper = {});

// Writes bytes to a device, raising IoError naming path when the device fails.
void writeTo(QIODevice &out, const QByteArray &bytes, const QString &path);
}
