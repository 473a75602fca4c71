// Runs one script file with the interpreter alone, outputs on standard output: the
// start-up and whole-process cost of a script run on QtCore only, for comparison
// with fortavo-cli run and with other interpreters.

#include "script/ScriptInterpreter.h"

#include "common/Errors.h"

#include <QCoreApplication>

#include <cstdio>

namespace {
class StdoutHost : public ScriptHost {
public:
    void showOutput(const QString &text) override { std::printf("%s\n", text.toLocal8Bit().constData()); }
    QString askInput(const QString &, const QString &, const QString &defaultText) override { return defaultText; }
};
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SCRIPT\n", argv[0]);
        return 2;
    }
    StdoutHost host;
    ScriptInterpreter interpreter(host);
    try {
        interpreter.RunScript(QString::fromLocal8Bit(argv[1]));
    } catch (const FortavoError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
