#include "csv/CsvColumns.h"

namespace CsvColumns {
namespace {
struct Name {
    const char *text;
    Column column;
    const char *weightUnit = "";
    const char *distanceUnit = "";
};

// Header names of the layouts we read, lower case. A column headed by a unit alone
// holds that quantity in that unit.
const Name Names[] = {
    {"date", Date}, {"start_time", StartTime}, {"start time", StartTime}, {"end_time", EndTime},
    {"end time", EndTime}, {"workout name", WorkoutName}, {"title", WorkoutName}, {"day name", WorkoutName},
    {"duration", Duration}, {"workout duration", Duration}, {"duration (sec)", Duration},
    {"exercise name", Exercise}, {"exercise_title", Exercise}, {"exercise", Exercise}, {"name", Exercise},
    {"set order", SetOrder}, {"set_index", SetOrder}, {"weight", Weight}, {"weight_kg", Weight, "kg"},
    {"weight (kgs)", Weight, "kg"}, {"weight (kg)", Weight, "kg"}, {"weight_lbs", Weight, "lbs"},
    {"weight (lbs)", Weight, "lbs"}, {"kg", Weight, "kg"}, {"kgs", Weight, "kg"}, {"lbs", Weight, "lbs"},
    {"lb", Weight, "lbs"}, {"completed weight value", Weight}, {"weight unit", WeightUnit},
    {"completed weight unit", WeightUnit}, {"reps", Reps}, {"completed reps", Reps}, {"distance", Distance},
    {"distance_km", Distance, "", "km"}, {"distance (km)", Distance, "", "km"}, {"km", Distance, "", "km"},
    {"distance_mi", Distance, "", "mi"}, {"distance_miles", Distance, "", "mi"}, {"mi", Distance, "", "mi"},
    {"distance (m)", Distance, "", "m"}, {"distance (meters)", Distance, "", "m"}, {"distance unit", DistanceUnit},
    {"seconds", Seconds}, {"duration_seconds", Seconds}, {"time", Seconds}, {"completed reps time", Seconds},
    {"notes", Notes}, {"exercise_notes", Notes}, {"workout notes", WorkoutNotes}, {"description", WorkoutNotes},
    {"set_type", SetType}, {"is warmup set?", Warmup}, {"workout datetime", Date}, {"kind", Kind},
    {"sets", Sets}, {"execution", Execution}, {"body part", Bodypart}, {"type of training", TrainingType},
    {"comment", Comment}, {"calories", Calories}, {"cardio start time", CardioStart},
    {"cardio duration", CardioDuration},
};

const char *const ColumnNames[Count] = {
    "Date", "Start time", "End time", "Workout name", "Workout duration", "Exercise", "Set order", "Weight",
    "Weight unit", "Reps", "Distance", "Distance unit", "Seconds", "Notes", "Workout notes", "Set type",
    "Warm-up", "Kind", "Sets", "Execution", "Body part", "Type of training", "Comment", "Calories",
    "Cardio start time", "Cardio duration"};

// The layouts of the app that writes its headers in the phone's language, column by
// column; Count marks a column that is not read.
struct Layout {
    std::initializer_list<Column> columns;
    const char *weightUnit;
    const char *distanceUnit;
};
const Layout Positional[] = {
    {{Date, WorkoutName, Duration, Exercise, SetOrder, Weight, Reps, Distance, Seconds, Notes, WorkoutNotes, Count}, "", ""},
    {{Date, WorkoutName, Exercise, SetOrder, Weight, WeightUnit, Reps, Count, Distance, DistanceUnit, Seconds, Notes,
      WorkoutNotes, Duration},
     "", ""},
    {{Count, Date, WorkoutName, Duration, Exercise, SetOrder, Weight, Reps, Count, Distance, Seconds, Notes, WorkoutNotes},
     "kg", "m"},
};

bool looksLikeWeight(const QString &name)
{
    for (const char *word : {"weight", "kg", "lb", "poids", "gewicht", "peso", "vikt", "waga"})
        if (name.contains(QLatin1String(word)))
            return true;
    return false;
}
}

QString columnName(Column c)
{
    return QString::fromLatin1(ColumnNames[c]);
}

Header recognise(const QStringList &header)
{
    Header h;
    h.index.fill(-1);
    h.fieldCount = int(header.size());
    for (qsizetype i = 0; i < header.size(); ++i) {
        const QString name = header.at(i).trimmed().toLower();
        for (const Name &n : Names) {
            if (name != QLatin1String(n.text) || h.index[n.column] >= 0)
                continue;
            h.index[n.column] = int(i);
            if (*n.weightUnit)
                h.weightUnit = QString::fromLatin1(n.weightUnit);
            if (*n.distanceUnit)
                h.distanceUnit = QString::fromLatin1(n.distanceUnit);
        }
    }
    // A header of a known column count whose words are unknown: its columns by position.
    if (!h.has(Exercise) || !(h.has(Date) || h.has(StartTime))) {
        for (const Layout &layout : Positional) {
            if (qsizetype(layout.columns.size()) != header.size())
                continue;
            h.index.fill(-1);
            int i = 0;
            for (Column c : layout.columns) {
                if (c != Count) {
                    h.index[c] = i;
                    h.takenByPosition.append(QStringLiteral("%1: \"%2\"").arg(columnName(c), header.at(i).trimmed()));
                }
                ++i;
            }
            h.weightUnit = QString::fromLatin1(layout.weightUnit);
            h.distanceUnit = QString::fromLatin1(layout.distanceUnit);
            break;
        }
    }
    if (!h.has(Weight))
        for (const QString &name : header)
            if (looksLikeWeight(name.trimmed().toLower()))
                h.unreadColumns.append(name.trimmed());
    h.fortavoLayout = h.has(Kind) && h.has(Sets);
    h.fortavoSets = !h.fortavoLayout && h.has(SetOrder) && h.has(Bodypart) && h.has(Execution);
    h.completedOnly = h.has(Warmup);
    // Fortavo's export states distances in metres, its per-set export in kilometres.
    if (h.fortavoLayout && h.distanceUnit.isEmpty())
        h.distanceUnit = QStringLiteral("m");
    return h;
}
}
