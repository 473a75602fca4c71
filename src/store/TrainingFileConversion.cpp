#include "store/TrainingFileConversion.h"

#include "common/Errors.h"
#include "store/LayoutCheck.h"
#include "store/WorkoutRecordV15.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int ChunkRecords = 1024; // records read at a time: about 2 MB

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

void openOldFile(QFile &file)
{
    const QString path = file.fileName();
    if (QFileInfo(path).isDir())
        throw IoError(QStringLiteral("Cannot open file \"%1\": it is a folder.").arg(native(path)));
    WholeFile::refuseNonRegular(path);
    if (!file.open(QIODevice::ReadOnly))
        throw IoError(QStringLiteral("Cannot open file \"%1\": %2").arg(native(path), file.errorString()));
}

// The number of old records; a size that does not fit the old layout is refused.
qint64 oldRecordCount(const QFile &file)
{
    const qint64 size = file.size();
    if (size % WorkoutRecordV15::Size == 0)
        return size / WorkoutRecordV15::Size;
    QString message = QStringLiteral("\"%1\" is not a training file of the older layout: its size, %2 bytes, is not a "
                                     "multiple of %3 bytes.")
                          .arg(native(file.fileName()))
                          .arg(size)
                          .arg(WorkoutRecordV15::Size);
    if (size % WorkoutRecord::Size == 0)
        message += QStringLiteral(" Its size fits the current layout, so it is probably converted already.");
    throw IoError(message);
}

bool nameTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

[[noreturn]] void backupTaken(const QString &path, const QString &backup)
{
    throw IoError(QStringLiteral("Cannot convert \"%1\": the backup file \"%2\" already exists. It holds the old data "
                                 "of an earlier conversion (or another file of that name): if \"%1\" is converted "
                                 "already, keep the backup or delete it; otherwise move or rename the backup and convert "
                                 "again. Nothing has been changed.")
                      .arg(native(path), native(backup)));
}

// A backup that is a second name of the file itself is what a conversion killed before
// its end leaves: the file still holds the old data, so the extra name is dropped.
bool dropOwnSecondName(const QString &path, const QString &backup)
{
    struct stat file, second;
    if (::stat(QFile::encodeName(path).constData(), &file) != 0
        || ::lstat(QFile::encodeName(backup).constData(), &second) != 0 || !S_ISREG(second.st_mode)
        || file.st_dev != second.st_dev || file.st_ino != second.st_ino)
        return false;
    return ::unlink(QFile::encodeName(backup).constData()) == 0;
}

// Reads count records of recordSize bytes from the start of file, a chunk at a time.
void forEachChunk(QFile &file, qint64 count, int recordSize,
                  const std::function<void(const QByteArray &bytes, qint64 n)> &visit)
{
    if (!file.seek(0))
        throw IoError(QStringLiteral("Cannot read \"%1\": %2").arg(native(file.fileName()), file.errorString()));
    for (qint64 done = 0; done < count;) {
        const qint64 n = qMin<qint64>(ChunkRecords, count - done);
        const QByteArray bytes = file.read(n * recordSize);
        if (bytes.size() != n * recordSize)
            throw IoError(QStringLiteral("Cannot read \"%1\": %2").arg(native(file.fileName()), file.errorString()));
        visit(bytes, n);
        done += n;
    }
}

// A second name of the old file: instant, and complete by its nature. False where the
// file system cannot link (the caller copies then).
bool linkBackup(const QString &path, const QString &backup)
{
    const QByteArray from = QFile::encodeName(path);
    const QByteArray to = QFile::encodeName(backup);
    if (::linkat(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), AT_SYMLINK_FOLLOW) == 0)
        return true;
    if (errno == EEXIST)
        backupTaken(path, backup);
    return false;
}

// A file of the current layout whose size is a multiple of both record sizes (127
// workouts or a multiple of them) passes the size test; its content tells it apart:
// read as old records some do not read as workouts, while read as current records
// all do.
void refuseCurrentLayout(QFile &file, qint64 oldCount)
{
    const qint64 size = file.size();
    if (size == 0 || size % WorkoutRecord::Size != 0)
        return;
    bool oldLayoutSound = true;
    forEachChunk(file, oldCount, WorkoutRecordV15::Size, [&](const QByteArray &bytes, qint64 n) {
        for (qint64 i = 0; oldLayoutSound && i < n; ++i)
            oldLayoutSound = LayoutCheck::plausibleOldRecord(bytes.constData() + i * WorkoutRecordV15::Size);
    });
    if (oldLayoutSound)
        return;
    bool currentLayoutSound = true;
    forEachChunk(file, size / WorkoutRecord::Size, WorkoutRecord::Size, [&](const QByteArray &bytes, qint64 n) {
        for (qint64 i = 0; currentLayoutSound && i < n; ++i)
            currentLayoutSound = LayoutCheck::plausibleCurrentRecord(bytes.constData() + i * WorkoutRecord::Size);
    });
    if (currentLayoutSound)
        throw IoError(QStringLiteral("\"%1\" is not a training file of the older layout: its records read as workouts "
                                     "of the current layout only, so it is probably converted already. Nothing has "
                                     "been changed.")
                          .arg(native(file.fileName())));
}

void copyBackup(QFile &old, qint64 count, const QString &backup, const WholeFile::TargetWrapper &wrapper)
{
    WholeFile::write(backup, [&](QIODevice &out) {
        forEachChunk(old, count, WorkoutRecordV15::Size,
                     [&](const QByteArray &bytes, qint64) { WholeFile::writeTo(out, bytes, backup); });
    }, wrapper);
}

void writeConverted(QFile &old, qint64 count, const QString &path, const Converter::Options &options)
{
    WholeFile::write(path, [&](QIODevice &out) {
        qint64 done = 0;
        QByteArray converted;
        forEachChunk(old, count, WorkoutRecordV15::Size, [&](const QByteArray &bytes, qint64 n) {
            converted.resize(n * WorkoutRecord::Size);
            for (qint64 i = 0; i < n; ++i)
                WorkoutRecordV15::toCurrentLayout(bytes.constData() + i * WorkoutRecordV15::Size,
                                                  converted.data() + i * WorkoutRecord::Size);
            WholeFile::writeTo(out, converted, path);
            done += n;
            if (options.progress)
                options.progress(done, count);
        });
    }, options.wrapper);
}
}

QString Converter::BackupFileName(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const QString folder = path.left(slash + 1);
    const QString name = path.mid(slash + 1);
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return folder + QStringLiteral("backup") + name;
    return folder + name.left(dot) + QStringLiteral("backup") + name.mid(dot);
}

void ConvertTrainingFile(const QString &path, bool keepBackup)
{
    Converter::Options options;
    options.keepBackup = keepBackup;
    ConvertTrainingFile(path, options);
}

void ConvertTrainingFile(const QString &path, const Converter::Options &options)
{
    QFile old(path);
    openOldFile(old);
    const QString backup = Converter::BackupFileName(path);
    // A taken backup name most likely holds the old data of an earlier conversion.
    if (nameTaken(backup) && !dropOwnSecondName(path, backup))
        backupTaken(path, backup);
    const qint64 count = oldRecordCount(old);
    refuseCurrentLayout(old, count);
    bool madeBackup = false;
    try {
        if (options.keepBackup) {
            if (!(options.linkBackup && linkBackup(path, backup)))
                copyBackup(old, count, backup, options.backupWrapper);
            madeBackup = true;
        }
        writeConverted(old, count, path, options);
    } catch (const FortavoError &e) {
        // The old file still stands whole under its name; a backup made for this run
        // would only block the next attempt.
        if (madeBackup)
            QFile::remove(backup);
        throw IoError(e.message() + QStringLiteral(" \"%1\" has not been changed.").arg(native(path)));
    }
}
