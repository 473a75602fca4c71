#pragma once

#include "config/IniFile.h"

#include <QStringList>

// The keys of "init.ini" with the defaults a reader uses when a key is missing.
namespace ConfigKeys {
struct Key {
    const char *section;
    const char *name;
    const char *defaultValue;
    QString sectionName() const { return QString::fromLatin1(section); }
    QString keyName() const { return QString::fromLatin1(name); }
    QString defaultText() const { return QString::fromLatin1(defaultValue); }
};

inline constexpr Key Bodypart{"Lists", "Bodypart",
    ",Full body,Upper body,Lower body,Chest,Back,Shoulders,Biceps,Triceps,Forearms,Abs,Upper back,"
    "Lower back,Gluteuses,Quadriceps,Hamstring,Calves,Traps,Chest/Triceps,Back/Biceps"};
inline constexpr Key TypeCardio{"Lists", "Type_cardio", ",Running,Cycling,Swimming,Jumprope,Walking"};
inline constexpr Key TypeTraining{"Lists", "Type_training", ",Light,Heavy,Volume,Experimental"};
inline constexpr Key TypeExecution{"Lists", "Type_execution",
    ",Warmup,Working set,Superset,Triset,Giant set,Drop set,Forced negative,Rest-pause,Ladder set"};
inline constexpr Key Top{"Program", "Top", "240"};
inline constexpr Key Left{"Program", "Left", "77"};
inline constexpr Key TrainingFile{"Program", "Training_file", "workouts.dat"};
inline constexpr Key HtmlTemplateFile{"Program", "Html_template_file", "template.html"};
inline constexpr Key ExerciseFile{"Program", "Exercise_file", "exercises.dat"};
inline constexpr Key GoalsFile{"Program", "Goals_file", "goals.dat"};
inline constexpr Key UponOpening{"Script editor", "Upon_opening", "0"};
inline constexpr Key ColorKeywords{"Script editor", "Color_keywords", "clBlue"};
inline constexpr Key ColorStrings{"Script editor", "Color_strings", "clGreen"};
inline constexpr Key ColorFunctions{"Script editor", "Color_functions", "clRed"};

QString readText(const IniFile &ini, const Key &key);
int readInteger(const IniFile &ini, const Key &key);
QStringList readList(const IniFile &ini, const Key &key);
void writeText(IniFile &ini, const Key &key, const QString &value);
void writeInteger(IniFile &ini, const Key &key, int value);
}

// What the main window reads from the configuration at start-up.
struct StartupConfiguration {
    QStringList bodyparts, cardioTypes, trainingTypes, executionTypes;
    int top = 240;
    int left = 77;
    QString trainingFile;  // as read; the default name when the value is empty
    QString templateFile;  // as read
    QString exerciseFile;  // as read
    QString goalsFile;     // with the program folder put in front of a bare name

    static StartupConfiguration read(const IniFile &ini);
};
