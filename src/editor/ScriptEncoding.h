#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// How the editor stores a script: the single-byte code page where it holds every
// character, otherwise (when the user agrees) UTF-8 with a byte-order mark.
namespace ScriptEncoding {
// A character the code page lacks, with its place (line and column from 1).
struct Unstorable {
    QString character;
    int line = 0;
    int column = 0;
};

// The first `limit` characters of text that the code page cannot hold, in text order;
// `total` (if given) receives how many there are in all.
QList<Unstorable> unstorable(const QString &text, int limit, int *total = nullptr);

// The question shown when a script holds such characters.
QString question(const QList<Unstorable> &first, int total);

// UTF-8 with a byte-order mark, every line ended by CR LF.
QByteArray utf8WithCrLf(const QString &text);
}
