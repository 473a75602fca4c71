// An "init.ini" of arbitrary bytes: the start-up configuration, every key and colour
// value, and a written key that must read back as written while other keys keep
// their values.

#include "FuzzSupport.h"

#include "common/Errors.h"
#include "config/ColorValue.h"
#include "config/ConfigKeys.h"

#include <cstdlib>

namespace {
const ConfigKeys::Key *const kKeys[] = {
    &ConfigKeys::Bodypart,      &ConfigKeys::TypeCardio,     &ConfigKeys::TypeTraining,   &ConfigKeys::TypeExecution,
    &ConfigKeys::Top,           &ConfigKeys::Left,           &ConfigKeys::TrainingFile,   &ConfigKeys::HtmlTemplateFile,
    &ConfigKeys::ExerciseFile,  &ConfigKeys::GoalsFile,      &ConfigKeys::UponOpening,    &ConfigKeys::ColorKeywords,
    &ConfigKeys::ColorStrings,  &ConfigKeys::ColorFunctions,
};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::inputFile(QStringLiteral("init.ini"), data, size);
    IniFile ini(path);
    StartupConfiguration::read(ini);
    QStringList before;
    for (const ConfigKeys::Key *key : kKeys) {
        before << ConfigKeys::readText(ini, *key);
        ConfigKeys::readInteger(ini, *key);
        try {
            TextToColor(before.constLast());
        } catch (const ConversionError &) {
        }
    }
    ConfigKeys::writeInteger(ini, ConfigKeys::Top, 321);
    if (ConfigKeys::readInteger(ini, ConfigKeys::Top) != 321)
        std::abort();
    for (size_t i = 0; i < std::size(kKeys); ++i) {
        if (kKeys[i] != &ConfigKeys::Top && ConfigKeys::readText(ini, *kKeys[i]) != before.at(qsizetype(i)))
            std::abort();
    }
    return 0;
}
