#pragma once

#include <QString>
#include <QStringList>

// A pick list stored as its items joined by commas; no quoting and no trimming.
QStringList SplitListValue(const QString &value);
QString JoinListValue(const QStringList &items);
