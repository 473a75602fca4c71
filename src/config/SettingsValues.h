#pragma once

#include "config/ColorValue.h"

#include <QString>
#include <QStringList>

class IniFile;

// Everything the settings window edits, as the main window writes it on OK.
struct SettingsValues {
    QString trainingFile, templateFile, exerciseFile; // as typed or chosen
    QStringList bodyparts, cardioTypes, trainingTypes, executionTypes;
    int uponOpening = 0; // 0 keep previous, 1 clear editor, 2 run wizard
    ColorValue keywordColor = 0, stringColor = 0, functionColor = 0;
};

// Writes the three file names, the four lists, Upon_opening and the three colours, in
// that order. A failed write raises IoError; the keys written before it stay written.
void WriteSettings(IniFile &ini, const SettingsValues &values);

// Shown after the configuration changed: most settings are read only at start-up.
QString RestartMessage();
