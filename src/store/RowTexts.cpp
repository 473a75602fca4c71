#include "store/RowTexts.h"

#include "common/CodePage.h"
#include "common/DayCount.h"
#include "common/Errors.h"
#include "common/RegionalSettings.h"
#include "common/ValueConversions.h"

const QStringList &RowTexts::cardioHeaders()
{
    static const QStringList headers = {"#", "Cardio type", "Start time", "Duration", "Distance", "Calories burned"};
    return headers;
}

const QStringList &RowTexts::exerciseHeaders()
{
    static const QStringList headers = {"#", "Exercise name", "Type of execution", "Number of sets", "Number of reps",
                                        "Weight used"};
    return headers;
}

QString RowTexts::twoDecimalsText(float value)
{
    return NumberText(TruncateToDecimals(2, value));
}

namespace {
QString numberText(float value, RowTexts::Numbers numbers)
{
    return numbers == RowTexts::Numbers::Exact ? NumberText(value) : RowTexts::twoDecimalsText(value);
}
}

QStringList RowTexts::cardioCells(const CardioEntry &e, int k, Numbers numbers)
{
    return {QString::number(k) + QLatin1Char('.'), e.CardioType,
            RegionalSettings::current().dayCountTimeText(e.StartTime), numberText(e.Duration, numbers),
            QString::number(e.Distance), QString::number(e.Calories)};
}

QStringList RowTexts::exerciseCells(const ExerciseEntry &e, int k, Numbers numbers)
{
    return {QString::number(k) + QLatin1Char('.'), e.Name, e.ExecutionType, QString::number(e.Sets),
            QString::number(e.Reps), e.Weight == 0.0f ? QStringLiteral("BW") : numberText(e.Weight, numbers)};
}

void RowTexts::requireFits(qint64 value, qint64 maximum, const QString &field)
{
    if (value < 0 || value > maximum)
        throw ConversionError(QStringLiteral("%1 must be a whole number from 0 to %2, not %3.")
                                  .arg(field)
                                  .arg(maximum)
                                  .arg(value));
}

namespace {
QString cell(const QStringList &cells, int column)
{
    return column < cells.size() ? cells.at(column) : QString();
}

qint64 wholeNumber(const QStringList &cells, int column, qint64 maximum, const QString &field)
{
    const qint64 value = ParseInteger(cell(cells, column));
    RowTexts::requireFits(value, maximum, field);
    return value;
}
}

CardioEntry RowTexts::readCardio(const QStringList &cells)
{
    CardioEntry e;
    e.CardioType = CodePage::fit(cell(cells, 1), CardioEntry::TypeCapacity);
    e.StartTime = DayCount::fromTime(RegionalSettings::current().parseTime(cell(cells, 2)));
    e.Duration = float(ParseNumber(cell(cells, 3)));
    e.Distance = quint16(wholeNumber(cells, 4, 65535, QStringLiteral("Distance")));
    e.Calories = quint16(wholeNumber(cells, 5, 65535, QStringLiteral("Calories burned")));
    return e;
}

ExerciseEntry RowTexts::readExercise(const QStringList &cells)
{
    ExerciseEntry e;
    e.Name = CodePage::fit(cell(cells, 1), ExerciseEntry::NameCapacity);
    e.ExecutionType = CodePage::fit(cell(cells, 2), ExerciseEntry::ExecutionTypeCapacity);
    e.Sets = quint8(wholeNumber(cells, 3, 255, QStringLiteral("Number of sets")));
    e.Reps = quint8(wholeNumber(cells, 4, 255, QStringLiteral("Number of reps")));
    const QString weight = cell(cells, 5);
    e.Weight = weight == QLatin1String("BW") ? 0.0f : float(ParseNumber(weight));
    return e;
}
