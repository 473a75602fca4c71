#pragma once

#include "store/TrainingFile.h"

#include <QStringList>

// What a scan of an open training file finds damaged, one line per kind, in this
// order: a file of the older 2032-byte layout (then nothing else is looked at, as its
// records would be read at the wrong places), a partial last record, records that
// claim more than 20 cardio or exercise rows, records whose type of training lies
// beyond a list of trainingTypeCount items. A sound file gives no line.
QStringList damageFindings(TrainingFile &file, int trainingTypeCount, const ProgressCallback &progress = {});
