#include "csv/CsvGrouping.h"

#include "common/CodePage.h"
#include "common/DayCount.h"

#include <cmath>

using namespace CsvRows;
using namespace CsvValues;

namespace CsvGrouping {
void Builder::add(Group &g, const SetRow &r)
{
    switch (r.kind) {
    case RowKind::Set:
        if (r.cardio)
            g.cardio.append(cardioEntry(r, g.when.time.isValid() ? DayCount::fromTime(g.when.time) : 0, g.counts));
        else
            addSet(g.exercises, r, g.counts);
        break;
    case RowKind::Rest:
        ++g.counts.restTimerRows;
        break;
    case RowKind::Note:
        if (!r.note.isEmpty())
            g.notes.append(r.note);
        break;
    case RowKind::NotDone:
        ++g.counts.setsNotDone;
        break;
    case RowKind::Empty:
        break;
    }
}

QList<WorkoutRecord> Builder::build(const Group &g)
{
    p.restTimerRows += g.counts.restTimerRows;
    p.setsNotDone += g.counts.setsNotDone;
    p.textsCut += g.counts.textsCut;
    p.textsWithReplacedCharacters += g.counts.textsWithReplacedCharacters;
    Counts counts;
    WorkoutRecord base;
    base.Date = DayCount::fromDate(g.when.date);
    base.StartTime = g.when.time.isValid() ? DayCount::fromTime(g.when.time) : 0;
    const WorkoutFields &w = g.workout;
    const QString &name = w.workoutName, &notes = w.workoutNotes;
    QString comment = w.comment;
    std::optional<int> minutes = w.workoutMinutes;
    const QTime end = w.endTime;
    if (w.durationCut)
        ++p.durationsCut;
    if (!minutes && end.isValid() && g.when.time.isValid())
        minutes = int(g.when.time.secsTo(end) / 60 + (g.when.time.secsTo(end) < 0 ? 24 * 60 : 0));
    base.Duration = minutes ? storedDuration(*minutes) : 0;
    base.Bodypart = fit(w.bodypart, WorkoutRecord::BodypartCapacity, counts);
    base.TrainingType = quint8(std::max<qsizetype>(0, o.trainingTypes.indexOf(w.trainingType)));
    // Fortavo's own exports carry the comment whole; the workout's name in its per-set
    // export is the body part.
    if (!h.ownExport()) {
        comment = notes.isEmpty() ? name : name.isEmpty() ? notes : name + QStringLiteral(": ") + notes;
        // Note rows add their text to the comment, a line each.
        if (!g.notes.isEmpty())
            comment = ((comment.isEmpty() ? QStringList() : QStringList{comment}) + g.notes).join(u'\n');
    }
    base.Comment = fit(comment, WorkoutRecord::CommentCapacity, counts);
    p.textsCut += counts.textsCut;
    p.textsWithReplacedCharacters += counts.textsWithReplacedCharacters;
    return split(base, g.exercises, g.cardio);
}

QString Builder::fit(const QString &text, int capacity, Counts &counts)
{
    // Names repeat on every set of an exercise: each text is fitted once.
    Last *last = m_last.data();
    while (last->capacity != capacity && last->capacity != 0 && last != &m_last.back())
        ++last;
    if (last->capacity == capacity && last->text == text) {
        countFit(text, last->stored, capacity, counts);
        return last->stored;
    }
    *last = {capacity, text, fitText(text, capacity, counts)};
    return last->stored;
}

QString Builder::fitText(const QString &text, int capacity, Counts &counts)
{
    QHash<QString, QString> &fitted = m_fitted[capacity];
    if (const auto it = fitted.constFind(text); it != fitted.constEnd()) {
        countFit(text, *it, capacity, counts);
        return *it;
    }
    QString cut = CodePage::fit(text, capacity);
    // A cut may end on a space, which the text's own end never does once trimmed.
    if (cut.size() < text.size())
        while (cut.endsWith(u' '))
            cut.chop(1);
    const QString stored = fitted.insert(text, cut).value();
    countFit(text, stored, capacity, counts);
    return stored;
}

void Builder::countFit(const QString &text, const QString &stored, int capacity, Counts &counts)
{
    if (stored == text)
        return;
    if (!CodePage::holds(text))
        ++counts.textsWithReplacedCharacters;
    if (CodePage::encode(text, int(text.size()) * 4).size() > capacity)
        ++counts.textsCut;
}

CardioEntry Builder::cardioEntry(const SetRow &r, double workoutStart, Counts &counts)
{
    CardioEntry c;
    c.CardioType = fit(r.name, CardioEntry::TypeCapacity, counts);
    c.StartTime = r.cardioStart.isValid() ? DayCount::fromTime(r.cardioStart) : workoutStart;
    c.Duration = storedDuration(r.cardioMinutes ? *r.cardioMinutes : int(std::lround(r.seconds / 60)));
    c.Distance = quint16(std::lround(r.distanceMetres));
    c.Calories = quint16(std::lround(r.calories));
    return c;
}

// Consecutive equal sets of an exercise become one row with their count; in Fortavo's
// per-set export a row's sets are numbered from 1, which starts the next row.
void Builder::addSet(QList<ExerciseEntry> &rows, const SetRow &r, Counts &counts)
{
    ExerciseEntry e;
    e.Name = fit(r.name, ExerciseEntry::NameCapacity, counts);
    e.ExecutionType = fit(r.execution, ExerciseEntry::ExecutionTypeCapacity, counts);
    e.Reps = quint8(r.reps);
    e.Weight = r.weight;
    e.Sets = quint8(r.sets);
    const bool joins = h.fortavoSets ? r.setOrder > 1 : !h.fortavoLayout;
    if (joins && !rows.isEmpty()) {
        ExerciseEntry &last = rows.last();
        if (last.Name == e.Name && last.ExecutionType == e.ExecutionType && last.Reps == e.Reps && last.Weight == e.Weight
            && last.Sets < 255) {
            ++last.Sets;
            return;
        }
    }
    rows.append(e);
}

// More than 20 rows of a kind go on in further records with the same date and time.
QList<WorkoutRecord> Builder::split(const WorkoutRecord &base, const QList<ExerciseEntry> &ex, const QList<CardioEntry> &cardio)
{
    const qsizetype max = WorkoutRecord::MaxRows;
    const qsizetype parts = std::max<qsizetype>({1, (ex.size() + max - 1) / max, (cardio.size() + max - 1) / max});
    if (parts > 1)
        ++p.workoutsSplit;
    QList<WorkoutRecord> records;
    for (qsizetype i = 0; i < parts; ++i) {
        WorkoutRecord r = base;
        r.Exercises = ex.mid(i * max, max);
        r.Cardio = cardio.mid(i * max, max);
        records.append(r);
    }
    return records;
}
}
