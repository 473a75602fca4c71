#pragma once

#include "store/TrainingFile.h"

#include <QString>
#include <QStringList>

// "Density:" text of a workout's exercise rows (the workout in the editor).
QString workoutDensity(const QList<QStringList> &exerciseRows);

// "Density for date" text: every workout of the list whose date is the date of
// workout line s, wherever it stands. Dates are compared as days, not as texts.
// Raises FortavoError when line s is not a workout line.
QString dayDensity(TrainingFile &file, const QStringList &lines, int s, const ProgressCallback &progress = {});
