#include "analysis/ReportText.h"

#include "common/CodePage.h"
#include "common/Errors.h"

#include <QDir>
#include <QSaveFile>

QString ReportText::typeName(const QStringList &items, int index)
{
    if (index < 0 || index >= items.size() || items.at(index).isEmpty())
        return QStringLiteral("Undefined");
    return items.at(index);
}

QString ReportText::itemOrEmpty(const QStringList &items, int index)
{
    return index >= 0 && index < items.size() ? items.at(index) : QString();
}

QByteArray ReportText::encode(const QString &text)
{
    // One byte per character, so the text's length is enough room.
    return CodePage::encode(text, int(text.size()));
}

void ReportText::forEachRecord(TrainingFile &file, int first, int count,
                               const std::function<void(const WorkoutRecord &)> &visit,
                               const ProgressCallback &progress)
{
    constexpr int chunk = 1024; // records per read: about 3 MB
    for (int start = first; start < first + count; start += chunk) {
        const int n = qMin(chunk, first + count - start);
        const QByteArray data = file.readRaw(start, n);
        for (int i = 0; i < n; ++i)
            visit(WorkoutRecord::decode(data.constData() + qsizetype(i) * WorkoutRecord::Size));
        if (progress)
            progress(start + n - first, count);
    }
}

void ReportText::writeWholeFile(const QString &path, const QByteArray &content)
{
    QSaveFile file(path);
    const auto fail = [&] {
        throw IoError(QStringLiteral("Cannot write \"%1\": %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    };
    if (!file.open(QIODevice::WriteOnly))
        fail();
    if (file.write(content) != content.size())
        fail();
    if (!file.commit())
        fail();
}
