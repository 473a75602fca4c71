#pragma once

#include <QByteArray>
#include <QString>

// Stored texts use the Windows-1250 code page; a character it lacks becomes "?".
namespace CodePage {
// Encodes text and cuts it to capacity bytes.
QByteArray encode(const QString &text, int capacity);
// The same into out, which has room for capacity bytes; returns the bytes written.
int encodeInto(const QString &text, int capacity, char *out);
QString decode(const char *bytes, int length);
// Whether every character of text has a byte of the code page.
bool holds(const QString &text);
// The text as it reads back after a round trip through a field of this capacity.
QString fit(const QString &text, int capacity);
}
