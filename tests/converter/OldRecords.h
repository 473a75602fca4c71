#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtEndian>

#include <cstring>

// Old 2032-byte workout records written byte by byte at the offsets of their layout,
// for the converter's fixtures. Bytes no field covers hold 0xEE, as a writer's stale
// buffer would.
namespace OldRecords {
constexpr int Size = 2032;

struct Exercise {
    QByteArray name;
    QByteArray executionType;
    quint8 sets = 0;
    quint8 reps = 0;
    float weight = 0;
};

struct Old {
    double date = 45000;
    double startTime = 0.75;
    float duration = 1.30f;
    QByteArray bodypart = "Chest";
    QByteArray cardioType;
    double cardioStartTime = 0;
    float cardioDuration = 0;
    quint8 cardioDistance = 0;
    quint16 cardioCalories = 0;
    QList<Exercise> exercises;
    int exerciseCount = -1; // -1: the number of exercises
    quint8 trainingType = 0;
    QByteArray comment;
};

inline void putText(QByteArray &b, int offset, const QByteArray &text, int lengthByte = -1)
{
    b[offset] = char(lengthByte < 0 ? text.size() : lengthByte);
    std::memcpy(b.data() + offset + 1, text.constData(), size_t(text.size()));
}

template <typename T>
void put(QByteArray &b, int offset, T value)
{
    qToLittleEndian<T>(value, b.data() + offset);
}

inline QByteArray encode(const Old &r)
{
    QByteArray b(Size, char(0xEE));
    put<double>(b, 0, r.date);
    put<double>(b, 8, r.startTime);
    put<float>(b, 16, r.duration);
    putText(b, 20, r.bodypart);
    putText(b, 40, r.cardioType);
    put<double>(b, 72, r.cardioStartTime);
    put<float>(b, 80, r.cardioDuration);
    b[84] = char(r.cardioDistance);
    put<quint16>(b, 86, r.cardioCalories);
    for (int i = 0; i < r.exercises.size(); ++i) {
        const int at = 88 + i * 84;
        putText(b, at, r.exercises[i].name);
        putText(b, at + 51, r.exercises[i].executionType);
        b[at + 77] = char(r.exercises[i].sets);
        b[at + 78] = char(r.exercises[i].reps);
        put<float>(b, at + 80, r.exercises[i].weight);
    }
    b[1768] = char(r.exerciseCount < 0 ? r.exercises.size() : r.exerciseCount);
    b[1769] = char(r.trainingType);
    putText(b, 1770, r.comment);
    return b;
}
}
