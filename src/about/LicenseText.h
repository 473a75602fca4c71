#pragma once

#include <QString>

#include <optional>

// The licence text shipped as "license.txt" in the program folder.
namespace LicenseText {
QString path();
// The text with "\n" line breaks, or nullopt when the file does not exist. UTF-8, or
// the single-byte code page when the bytes are no valid UTF-8. A file that exists but
// cannot be read raises IoError.
std::optional<QString> read(const QString &path);
QString missingMessage();
}
