#include "csv/CsvColumns.h"

namespace CsvColumns {
namespace {
struct Name {
    const char *text;
    Column column;
    const char *weightUnit = "";
    const char *distanceUnit = "";
};

// Header names of the layouts we read, lower case.
const Name Names[] = {
    {"date", Date}, {"start_time", StartTime}, {"start time", StartTime}, {"end_time", EndTime},
    {"end time", EndTime}, {"workout name", WorkoutName}, {"title", WorkoutName}, {"duration", Duration},
    {"exercise name", Exercise}, {"exercise_title", Exercise}, {"exercise", Exercise}, {"name", Exercise},
    {"set order", SetOrder}, {"set_index", SetOrder}, {"weight", Weight}, {"weight_kg", Weight, "kg"},
    {"weight (kgs)", Weight, "kg"}, {"weight (kg)", Weight, "kg"}, {"weight_lbs", Weight, "lbs"},
    {"weight (lbs)", Weight, "lbs"}, {"weight unit", WeightUnit}, {"reps", Reps}, {"distance", Distance},
    {"distance_km", Distance, "", "km"}, {"distance (km)", Distance, "", "km"}, {"distance_mi", Distance, "", "mi"},
    {"distance (m)", Distance, "", "m"}, {"distance unit", DistanceUnit}, {"seconds", Seconds},
    {"duration_seconds", Seconds}, {"time", Seconds}, {"notes", Notes}, {"exercise_notes", Notes},
    {"workout notes", WorkoutNotes}, {"description", WorkoutNotes}, {"set_type", SetType}, {"kind", Kind},
    {"sets", Sets}, {"execution", Execution}, {"body part", Bodypart}, {"type of training", TrainingType},
    {"comment", Comment}, {"calories", Calories}, {"cardio start time", CardioStart},
    {"cardio duration", CardioDuration},
};
}

Header recognise(const QStringList &header)
{
    Header h;
    h.index.fill(-1);
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
    h.fortavoLayout = h.has(Kind) && h.has(Sets);
    // Fortavo's export states distances in metres.
    if (h.fortavoLayout && h.distanceUnit.isEmpty())
        h.distanceUnit = QStringLiteral("m");
    return h;
}
}
