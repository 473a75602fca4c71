#include "store/UndoBuffer.h"

void UndoBuffer::workoutDeleted(int recordNumber, const WorkoutRecord &record)
{
    m_kind = Workout;
    m_undoRecordNumber = recordNumber;
    m_undoRecord = record;
}

void UndoBuffer::exerciseRowDeleted(int row, const ExerciseEntry &entry)
{
    m_kind = ExerciseRow;
    m_undoExerciseRow = row;
    m_undoExercise = entry;
}

void UndoBuffer::cardioRowDeleted(int row, const CardioEntry &entry)
{
    m_kind = CardioRow;
    m_undoCardioRow = row;
    m_undoCardio = entry;
}

int UndoBuffer::restoreWorkout(TrainingFile &file, const ProgressCallback &progress)
{
    const int at = qMin(m_undoRecordNumber, file.RecordCount());
    file.InsertRecord(at, m_undoRecord, progress);
    clear();
    return at;
}

std::pair<int, ExerciseEntry> UndoBuffer::takeExerciseRow(int entries)
{
    clear();
    return {qMin(m_undoExerciseRow, entries + 1), m_undoExercise};
}

std::pair<int, CardioEntry> UndoBuffer::takeCardioRow(int entries)
{
    clear();
    return {qMin(m_undoCardioRow, entries + 1), m_undoCardio};
}
