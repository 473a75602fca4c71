#include "analysis/ReportText.h"

#include "common/CodePage.h"


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
    file.forEachRaw(first, count, [&](const char *record) { visit(WorkoutRecord::decode(record)); }, progress);
}
