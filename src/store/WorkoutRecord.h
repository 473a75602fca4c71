#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One cardio row of a workout (48 bytes on disk).
struct CardioEntry {
    QString CardioType;    // at most 30 bytes stored
    double StartTime = 0;  // day count; only the fraction counts
    float Duration = 0;    // hours + minutes/100
    quint16 Distance = 0;  // metres
    quint16 Calories = 0;

    static constexpr int Size = 48;
    static constexpr int TypeCapacity = 30;
    bool operator==(const CardioEntry &) const = default;
};

// One exercise row of a workout (84 bytes on disk).
struct ExerciseEntry {
    QString Name;          // at most 50 bytes stored
    QString ExecutionType; // at most 25 bytes stored
    quint8 Sets = 0;
    quint8 Reps = 0;
    float Weight = 0;      // 0 means bodyweight ("BW")

    static constexpr int Size = 84;
    static constexpr int NameCapacity = 50;
    static constexpr int ExecutionTypeCapacity = 25;
    bool operator==(const ExerciseEntry &) const = default;
};

// One workout: one 2944-byte record of the training file. The used rows are the
// list entries; CardioCount and ExerciseCount on disk are their sizes.
struct WorkoutRecord {
    double Date = 0;       // day count; only the integral part counts
    double StartTime = 0;  // day count; only the fraction counts
    float Duration = 0;
    QString Bodypart;      // at most 15 bytes stored
    QList<CardioEntry> Cardio;
    QList<ExerciseEntry> Exercises;
    quint8 TrainingType = 0;
    QString Comment;       // at most 255 bytes stored

    static constexpr int Size = 2944;
    static constexpr int MaxRows = 20;
    static constexpr int BodypartCapacity = 15;
    static constexpr int CommentCapacity = 255;

    // Field by field at the layout's offsets; unused slots and padding are zeros.
    QByteArray encode() const;
    // The same into Size bytes at p.
    void encodeInto(char *p) const;
    // Reads size bytes; a count above 20 (a damaged record) is clipped to 20.
    static WorkoutRecord decode(const char *bytes);
    bool operator==(const WorkoutRecord &) const = default;
};

// Offsets of the fields inside a record, for readers that need only a few fields.
namespace WorkoutLayout {
constexpr int Date = 0;
constexpr int StartTime = 8;
constexpr int Duration = 16;
constexpr int Bodypart = 20;
constexpr int Cardio = 40;
constexpr int CardioCount = 1000;
constexpr int Exercises = 1004;
constexpr int ExerciseCount = 2684;
constexpr int TrainingType = 2685;
constexpr int Comment = 2686;
}

// A length-prefixed single-byte string field of the given capacity; a zero byte
// ends the text read.
void writeStoredString(char *field, const QString &text, int capacity);
QString readStoredString(const char *field, int capacity);
