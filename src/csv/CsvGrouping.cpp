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
            g.notes.append(r.note.toString());
        break;
    case RowKind::NotDone:
        ++g.counts.setsNotDone;
        break;
    case RowKind::Empty:
        break;
    }
}

void Builder::build(Group &g, QList<WorkoutRecord> &records)
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
    base.Bodypart = fit(m_bodyparts, w.bodypart, counts);
    base.TrainingType = quint8(std::max<qsizetype>(0, o.trainingTypes.indexOf(w.trainingType)));
    // Fortavo's own exports carry the comment whole; the workout's name in its per-set
    // export is the body part.
    if (!h.ownExport()) {
        comment = notes.isEmpty() ? name : name.isEmpty() ? notes : name + QStringLiteral(": ") + notes;
        // Note rows add their text to the comment, a line each.
        if (!g.notes.isEmpty())
            comment = ((comment.isEmpty() ? QStringList() : QStringList{comment}) + g.notes).join(u'\n');
    }
    base.Comment = fit(m_comments, comment, counts);
    p.textsCut += counts.textsCut;
    p.textsWithReplacedCharacters += counts.textsWithReplacedCharacters;
    split(base, g.exercises, g.cardio, records);
}

const QString &Builder::fit(Fitting &field, QStringView text, Counts &counts)
{
    // Names repeat on every set of an exercise: each text is fitted once.
    if (field.lastText != text) {
        // Looked up without a copy of the text; a new text is copied once.
        auto it = field.texts.constFind(QString::fromRawData(text.constData(), text.size()));
        if (it == field.texts.constEnd()) {
            const QString whole = text.toString();
            const QString stored = fitText(whole, field.capacity);
            it = field.texts.insert(whole, {stored, countFit(whole, stored, field.capacity)});
        }
        field.lastText = it.key();
        field.last = *it;
    }
    counts.textsCut += field.last.counts.textsCut;
    counts.textsWithReplacedCharacters += field.last.counts.textsWithReplacedCharacters;
    return field.last.stored;
}

QString Builder::fitText(const QString &text, int capacity)
{
    QString cut = CodePage::fit(text, capacity);
    // A cut may end on a space, which the text's own end never does once trimmed.
    if (cut.size() < text.size())
        while (cut.endsWith(u' '))
            cut.chop(1);
    return cut;
}

Counts Builder::countFit(const QString &text, const QString &stored, int capacity)
{
    Counts counts;
    if (stored == text)
        return counts;
    if (!CodePage::holds(text))
        ++counts.textsWithReplacedCharacters;
    if (CodePage::encode(text, int(text.size()) * 4).size() > capacity)
        ++counts.textsCut;
    return counts;
}

CardioEntry Builder::cardioEntry(const SetRow &r, double workoutStart, Counts &counts)
{
    CardioEntry c;
    c.CardioType = fit(m_cardioTypes, r.name, counts);
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
    const QString &name = fit(m_names, r.name, counts);
    const QString &execution = fit(m_executions, r.execution, counts);
    const bool joins = h.fortavoSets ? r.setOrder > 1 : !h.fortavoLayout;
    if (joins && !rows.isEmpty()) {
        ExerciseEntry &last = rows.last();
        if (last.Name == name && last.ExecutionType == execution && last.Reps == quint8(r.reps)
            && last.Weight == r.weight && last.Sets < 255) {
            ++last.Sets;
            return;
        }
    }
    rows.append(ExerciseEntry{name, execution, quint8(r.sets), quint8(r.reps), r.weight});
}

// More than 20 rows of a kind go on in further records with the same date and time.
void Builder::split(WorkoutRecord &base, QList<ExerciseEntry> &ex, QList<CardioEntry> &cardio, QList<WorkoutRecord> &records)
{
    const qsizetype max = WorkoutRecord::MaxRows;
    const qsizetype parts = std::max<qsizetype>({1, (ex.size() + max - 1) / max, (cardio.size() + max - 1) / max});
    if (parts == 1) {
        base.Exercises = std::move(ex);
        base.Cardio = std::move(cardio);
        records.append(std::move(base));
        return;
    }
    ++p.workoutsSplit;
    for (qsizetype i = 0; i < parts; ++i) {
        WorkoutRecord r = base;
        r.Exercises = ex.mid(i * max, max);
        r.Cardio = cardio.mid(i * max, max);
        records.append(std::move(r));
    }
}
}
