#pragma once

#include "store/TrainingFile.h"

// One level of undo: the workout, exercise row or cardio row deleted last. A newer
// deletion replaces the older one; an undo empties the buffer.
class UndoBuffer {
public:
    enum Kind : quint8 { Nothing = 0, Workout = 1, ExerciseRow = 2, CardioRow = 3 };

    // UndoKind
    Kind kind() const { return m_kind; }
    void clear() { m_kind = Nothing; }

    void workoutDeleted(int recordNumber, const WorkoutRecord &record);
    // row counts the grid's header as row 0.
    void exerciseRowDeleted(int row, const ExerciseEntry &entry);
    void cardioRowDeleted(int row, const CardioEntry &entry);

    // Puts the deleted workout back at its record number, or last when the file has
    // fewer records now, and empties the buffer. Returns the record number it got.
    int restoreWorkout(TrainingFile &file, const ProgressCallback &progress = {});
    // The deleted row and the grid row it goes back to in a grid of `entries` rows:
    // its old row, or last when the grid has shrunk since. The buffer is then empty.
    std::pair<int, ExerciseEntry> takeExerciseRow(int entries);
    std::pair<int, CardioEntry> takeCardioRow(int entries);

private:
    Kind m_kind = Nothing;
    int m_undoRecordNumber = 0;
    WorkoutRecord m_undoRecord;
    int m_undoExerciseRow = 0;
    ExerciseEntry m_undoExercise;
    int m_undoCardioRow = 0;
    CardioEntry m_undoCardio;
};
