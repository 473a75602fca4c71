#pragma once

#include <QByteArray>
#include <QString>

// Plain text files written by people: scripts and their includes.
namespace PlainText {
// A byte-order mark of UTF-8 or UTF-16 (either byte order) selects that encoding;
// without one the bytes are read in the single-byte code page.
QString decode(const QByteArray &bytes);
// The text with every line, the last one too, ended by CR LF.
QString withCrLf(const QString &text);
// The single-byte code page without a byte-order mark, every line ended by CR LF
// (a character the code page lacks becomes "?").
QByteArray encodeWithCrLf(const QString &text);
}
