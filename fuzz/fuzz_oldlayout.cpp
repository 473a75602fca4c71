// A training file of the older layout, of arbitrary bytes: converted in place. A file
// that is refused must be left byte for byte; a converted one must hold one current
// record per old one, each the same workout as the old record read directly.

#include "FuzzSupport.h"

#include "common/Errors.h"
#include "store/TrainingFileConversion.h"
#include "store/LayoutCheck.h"
#include "store/WorkoutRecordV15.h"

#include <QFile>

#include <cstdlib>

namespace {
QByteArray contentOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray old(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString path = FuzzSupport::inputFile(QStringLiteral("old.dat"), data, size);
    for (qsizetype at = 0; at + WorkoutRecordV15::Size <= old.size(); at += WorkoutRecordV15::Size)
        (void)LayoutCheck::plausibleOldRecord(old.constData() + at);
    try {
        ConvertTrainingFile(path, false);
    } catch (const FortavoError &) {
        if (contentOf(path) != old)
            std::abort();
        return 0;
    }
    if (old.size() % WorkoutRecordV15::Size != 0)
        std::abort();
    const QByteArray converted = contentOf(path);
    const qsizetype count = old.size() / WorkoutRecordV15::Size;
    if (converted.size() != count * WorkoutRecord::Size || QFile::exists(Converter::BackupFileName(path)))
        std::abort();
    for (qsizetype i = 0; i < count; ++i) {
        const WorkoutRecord expected = WorkoutRecordV15::toWorkoutRecord(old.constData() + i * WorkoutRecordV15::Size);
        const WorkoutRecord got = WorkoutRecord::decode(converted.constData() + i * WorkoutRecord::Size);
        if (got.encode() != expected.encode())
            std::abort();
    }
    return 0;
}
