#pragma once

#include "common/WholeFile.h"
#include "store/TrainingFile.h"

#include <QString>

// Conversion of a training file of the older 2032-byte layout to the current one, in
// place: the converted file keeps the name, the old content is kept under the backup
// name or dropped.
namespace Converter {
// The folder, the file name up to its first ".", "backup", then the rest of the name:
// "workouts.dat" gives "workoutsbackup.dat", a name without "." gets "backup" in front.
QString BackupFileName(const QString &path);

struct Options {
    bool keepBackup = true;
    ProgressCallback progress; // records done of the file's count
    // Tests fail the writes through these: the new content, and the backup where it is
    // copied.
    WholeFile::TargetWrapper wrapper;
    WholeFile::TargetWrapper backupWrapper;
    // The backup is a second name (hard link) of the old file; where the file system
    // has none, a verified copy. Tests take the copying path by clearing this.
    bool linkBackup = true;
};
}

// Converts the file at path. Nothing changes when the file cannot be read, its size is
// not a multiple of the old record, or the backup name is taken. The new content is
// written beside the file and replaces it in one rename, after the backup (a second name
// of the old content) is in place, so at every moment the old data stands under its own
// name. Failures raise IoError naming the file and the reason.
void ConvertTrainingFile(const QString &path, bool keepBackup);
void ConvertTrainingFile(const QString &path, const Converter::Options &options);
