// The script interpreter on arbitrary program text. Input dialogs take their default
// text, output goes nowhere, and a run is stopped after some thousands of lines, as
// the user's Esc would.

#include "FuzzSupport.h"

#include "common/Errors.h"
#include "script/ScriptInterpreter.h"

namespace {
class QuietHost : public ScriptHost {
public:
    void showOutput(const QString &) override {}
    QString askInput(const QString &, const QString &, const QString &defaultText) override { return defaultText; }
    bool stopRequested() override { return ++m_checks > 40; }

private:
    int m_checks = 0;
};
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = FuzzSupport::inputFile(QStringLiteral("program.fvs"), data, size);
    QuietHost host;
    ScriptInterpreter interpreter(host);
    try {
        interpreter.RunScript(path);
    } catch (const FortavoError &) {
        // Errors of the program end its run; that is the expected outcome of most inputs.
    }
    return 0;
}
