#pragma once

#include "store/WorkoutSession.h"

// The commands of the main window's analysis and export buttons. Each does the whole
// command: the checks and their messages, the dialogs, the texts and the writes.
// Failures are raised (IoError, ConversionError, FortavoError) for the caller's
// command guard to show.

// F5 "Analysis of a week": the week of the selected line, in an information box.
void ShowWeekAnalysis(WorkoutSession &session);
// F7 "Training analysis": all workouts of the training file, in an information box.
void ShowTrainingAnalysis(WorkoutSession &session);
// F3 "Workout density": the exercise rows of the workout in the form.
void ShowWorkoutDensity(WorkoutSession &session);
// F4 "Density for the enitre day": all stored workouts of the selected line's date.
void ShowDayDensity(WorkoutSession &session);
// Alt+T "Export to a text file": the stored workout at the save position.
void ExportWorkoutText(WorkoutSession &session);
// F6 "Export all week analysises": every week's analysis into one text file.
void ExportAllWeekAnalyses(WorkoutSession &session);
// Alt+H "Export to an HTML file": the stored workout at the save position, through the template.
void ExportHtml(WorkoutSession &session);

namespace AnalysisTexts {
inline const QString NoSelection = QStringLiteral("You have not selected a workout!");
inline const QString NoWorkouts = QStringLiteral("There are no workouts in the training file to analyse.");
inline const QString NotSaved =
    QStringLiteral("The workout in the form has not been saved yet. Save it first, then export it.");
}
