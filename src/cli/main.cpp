#include "cli/CliCommands.h"
#include "common/ProgramFolder.h"
#include "common/RegionalSettings.h"
#include "common/Version.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>

namespace {
void printHelp(QTextStream &out)
{
    out << "Usage: fortavo-cli [OPTIONS] COMMAND [ARGS...]\n\n"
           "Options:\n"
           "  --folder DIR             program folder (its init.ini and the files named there)\n"
           "  --training FILE          training file instead of the configured one\n"
           "  --date-format F          short date format (Qt format string)\n"
           "  --time-format F          long time format (Qt format string)\n"
           "  --decimal-separator C    decimal separator\n"
           "  --force                  write a file even though Fortavo has it open\n"
           "  --version                the version\n"
           "  --help                   this text\n\n"
           "Commands:\n";
    QList<CliCommand> commands = cliCommands();
    std::sort(commands.begin(), commands.end(), [](const CliCommand &a, const CliCommand &b) { return a.name < b.name; });
    for (const CliCommand &c : commands) {
        const QString head = c.usage.isEmpty() ? c.name : c.name + QLatin1Char(' ') + c.usage;
        out << "  " << head.leftJustified(34) << ' ' << c.summary << '\n';
    }
    out << "\nN is a workout's number: its 1-based record number.\n";
}

const CliCommand *findCommand(const QString &name)
{
    for (const CliCommand &c : cliCommands())
        if (c.name == name)
            return &c;
    return nullptr;
}

// The command line split once: the shared options with their values, then the
// command name and everything after it, which belongs to the command.
struct CommandLine {
    QList<QPair<QString, QString>> options;
    QString command;
    QStringList commandArgs;
    bool help = false;
    bool version = false;
    bool force = false;
};

CommandLine parseCommandLine(QStringList args)
{
    CommandLine line;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            line.help = true;
            return line;
        }
        if (arg == QLatin1String("--version")) {
            line.version = true;
            return line;
        }
        if (arg == QLatin1String("--force")) {
            line.force = true;
            continue;
        }
        if (!arg.startsWith(QLatin1String("--"))) {
            line.command = arg;
            line.commandArgs = args;
            return line;
        }
        if (args.isEmpty())
            throw CliUsageError(QStringLiteral("%1 needs a value.").arg(arg));
        line.options.append({arg, args.takeFirst()});
    }
    return line;
}

void applyOption(const QString &option, const QString &value, CliContext &context, RegionalSettings &regional)
{
    if (option == QLatin1String("--folder"))
        ProgramFolder::setPath(value);
    else if (option == QLatin1String("--training"))
        context.trainingOverride = QDir::current().absoluteFilePath(value);
    else if (option == QLatin1String("--date-format"))
        regional.dateFormat = value;
    else if (option == QLatin1String("--time-format"))
        regional.timeFormat = value;
    else if (option == QLatin1String("--decimal-separator")) {
        if (value.size() != 1)
            throw CliUsageError(QStringLiteral("The decimal separator must be one character, not '%1'.").arg(value));
        regional.decimalSeparator = value.at(0);
    } else
        throw CliUsageError(QStringLiteral("Unknown option %1.").arg(option));
}

}

int main(int argc, char *argv[])
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    QTextStream in(stdin);
    CliContext context(out, err, in);

    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    try {
        const CommandLine line = parseCommandLine(args);
        if (line.help) {
            printHelp(out);
            return 0;
        }
        if (line.version) {
            out << FortavoVersionText << '\n';
            return 0;
        }
        RegionalSettings regional = RegionalSettings::fromSystem();
        for (const auto &[option, value] : line.options)
            applyOption(option, value, context, regional);
        RegionalSettings::setCurrent(regional);
        context.force = line.force;
        if (line.command.isEmpty())
            throw CliUsageError(QStringLiteral("No command given."));
        const CliCommand *command = findCommand(line.command);
        if (!command)
            throw CliUsageError(QStringLiteral("Unknown command '%1'.").arg(line.command));
        const QCoreApplication app(argc, argv);
        const int status = command->run(context, line.commandArgs);
        out.flush();
        return context.prompts.errorShown() ? 1 : status;
    } catch (const CliUsageError &e) {
        out.flush();
        err << e.message() << "\nTry 'fortavo-cli --help'.\n";
        return 2;
    } catch (const FortavoError &e) {
        out.flush();
        err << e.message() << '\n';
        return 1;
    } catch (const std::exception &e) {
        out.flush();
        err << e.what() << '\n';
        return 1;
    }
}
