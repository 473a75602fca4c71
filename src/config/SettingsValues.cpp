#include "config/SettingsValues.h"

#include "config/ConfigKeys.h"
#include "config/IniFile.h"
#include "config/ListValue.h"

void WriteSettings(IniFile &ini, const SettingsValues &values)
{
    using namespace ConfigKeys;
    writeText(ini, TrainingFile, values.trainingFile);
    writeText(ini, HtmlTemplateFile, values.templateFile);
    writeText(ini, ExerciseFile, values.exerciseFile);
    writeText(ini, Bodypart, JoinListValue(values.bodyparts));
    writeText(ini, TypeCardio, JoinListValue(values.cardioTypes));
    writeText(ini, TypeTraining, JoinListValue(values.trainingTypes));
    writeText(ini, TypeExecution, JoinListValue(values.executionTypes));
    writeInteger(ini, UponOpening, values.uponOpening);
    writeText(ini, ColorKeywords, ColorToText(values.keywordColor));
    writeText(ini, ColorStrings, ColorToText(values.stringColor));
    writeText(ini, ColorFunctions, ColorToText(values.functionColor));
}

QString RestartMessage()
{
    return QStringLiteral("In order to make changes on the configuration file valid, Fortavo se must be restarted.");
}
