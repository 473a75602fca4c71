#pragma once

#include "script/ScriptHost.h"

class ShownWorkout;

// The script objects "workouts", "cardio" and "exercises": read access to the
// workout shown in the editor, and workouts_load(n) to show record n - 1 first.
class WorkoutsObject : public ScriptObject {
public:
    explicit WorkoutsObject(ShownWorkout &shown) : m_shown(shown) {}
    float numericMember(ScriptInterpreter &interpreter, const QString &member) override;
    QString textMember(ScriptInterpreter &interpreter, const QString &member) override;
    void statement(ScriptInterpreter &interpreter, const QString &member) override;

private:
    float selectedNumber() const;
    ShownWorkout &m_shown;
};

class CardioObject : public ScriptObject {
public:
    explicit CardioObject(ShownWorkout &shown) : m_shown(shown) {}
    float numericMember(ScriptInterpreter &interpreter, const QString &member) override;
    QString textMember(ScriptInterpreter &interpreter, const QString &member) override;

private:
    ShownWorkout &m_shown;
};

class ExercisesObject : public ScriptObject {
public:
    explicit ExercisesObject(ShownWorkout &shown) : m_shown(shown) {}
    float numericMember(ScriptInterpreter &interpreter, const QString &member) override;
    QString textMember(ScriptInterpreter &interpreter, const QString &member) override;

private:
    ShownWorkout &m_shown;
};

// The three objects over one shown workout, looked up by name.
class TrainingObjects {
public:
    explicit TrainingObjects(ShownWorkout &shown) : workouts(shown), cardio(shown), exercises(shown) {}
    // "workouts", "cardio" or "exercises"; nullptr for any other name.
    ScriptObject *object(const QString &name);

    WorkoutsObject workouts;
    CardioObject cardio;
    ExercisesObject exercises;
};
