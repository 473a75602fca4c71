#include "config/ConfigKeys.h"

#include "common/ProgramFolder.h"
#include "config/ListValue.h"

QString ConfigKeys::readText(const IniFile &ini, const Key &key)
{
    return ini.readString(key.sectionName(), key.keyName(), key.defaultText());
}

int ConfigKeys::readInteger(const IniFile &ini, const Key &key)
{
    return ini.readInteger(key.sectionName(), key.keyName(), key.defaultText().toInt());
}

QStringList ConfigKeys::readList(const IniFile &ini, const Key &key)
{
    return SplitListValue(readText(ini, key));
}

void ConfigKeys::writeText(IniFile &ini, const Key &key, const QString &value)
{
    ini.writeString(key.sectionName(), key.keyName(), value);
}

void ConfigKeys::writeInteger(IniFile &ini, const Key &key, int value)
{
    ini.writeInteger(key.sectionName(), key.keyName(), value);
}

StartupConfiguration StartupConfiguration::read(const IniFile &ini)
{
    StartupConfiguration c;
    c.bodyparts = ConfigKeys::readList(ini, ConfigKeys::Bodypart);
    c.cardioTypes = ConfigKeys::readList(ini, ConfigKeys::TypeCardio);
    c.trainingTypes = ConfigKeys::readList(ini, ConfigKeys::TypeTraining);
    c.executionTypes = ConfigKeys::readList(ini, ConfigKeys::TypeExecution);
    c.top = ConfigKeys::readInteger(ini, ConfigKeys::Top);
    c.left = ConfigKeys::readInteger(ini, ConfigKeys::Left);
    c.trainingFile = ConfigKeys::readText(ini, ConfigKeys::TrainingFile);
    // An empty name (left so in the settings) would open the program folder itself.
    if (c.trainingFile.trimmed().isEmpty())
        c.trainingFile = ConfigKeys::TrainingFile.defaultText();
    c.templateFile = ConfigKeys::readText(ini, ConfigKeys::HtmlTemplateFile);
    c.exerciseFile = ConfigKeys::readText(ini, ConfigKeys::ExerciseFile);
    c.goalsFile = ProgramFolder::resolve(ConfigKeys::readText(ini, ConfigKeys::GoalsFile));
    return c;
}
