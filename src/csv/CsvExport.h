#pragma once

#include <QByteArray>
#include <QStringList>

#include <functional>

class TrainingFile;

// The training file as CSV for spreadsheets, trainers and other workout apps. Dates
// are ISO 8601 and numbers use ".", whatever the regional settings.
namespace CsvExport {
enum class Layout {
    Rows, // one line per exercise row and per cardio row (a workout without rows: one line)
    Sets  // one line per set, in the layout other workout apps import
};

// trainingTypes names the type of training by its index.
QByteArray text(TrainingFile &training, Layout layout, const QStringList &trainingTypes,
                const std::function<void(qint64 done, qint64 total)> &progress = {});

// Writes the CSV to path through the verified whole-file write.
void write(const QString &path, TrainingFile &training, Layout layout, const QStringList &trainingTypes,
           const std::function<void(qint64 done, qint64 total)> &progress = {});
}
