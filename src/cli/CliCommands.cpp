#include "cli/CliCommands.h"

// The one table of fortavo-cli's commands. A new command is a function in its own
// file, declared in CliCommands.h, and one row here.
const QList<CliCommand> &cliCommands()
{
    static const QList<CliCommand> commands = {
        {QStringLiteral("convert"), QStringLiteral("FILE [--no-backup] [--force]"),
         QStringLiteral("convert a training file of the older layout in place, keeping a backup"), convertCommand},
        {QStringLiteral("density"), QStringLiteral("N"), QStringLiteral("the density of all workouts on workout N's date"),
         densityCommand},
        {QStringLiteral("exercise-analysis"), QStringLiteral("NAME"),
         QStringLiteral("the usage analysis of exercise NAME over the training file"), exerciseAnalysisCommand},
        {QStringLiteral("exercise-graph"), QStringLiteral("NAME FILE.png"),
         QStringLiteral("the 1RM graph of exercise NAME as a PNG image"), exerciseGraphCommand},
        {QStringLiteral("exercise-usage"), QStringLiteral("NAME [COUNT]"),
         QStringLiteral("rows of exercise NAME in the last COUNT workouts (5), newest first"), exerciseUsageCommand},
        {QStringLiteral("export-html"), QStringLiteral("N FILE [--template FILE]"),
         QStringLiteral("write workout N as an HTML page through the template"), exportHtmlCommand},
        {QStringLiteral("export-stats"), QStringLiteral("FILE"),
         QStringLiteral("write the analyses of all weeks to a text file"), exportStatsCommand},
        {QStringLiteral("export-text"), QStringLiteral("N FILE"), QStringLiteral("write workout N as a text file"),
         exportTextCommand},
        {QStringLiteral("export-csv"), QStringLiteral("FILE [--sets]"),
         QStringLiteral("write the training file as CSV: one line per exercise and cardio row, or per set"),
         exportCsvCommand},
        {QStringLiteral("goals"), QString(),
         QStringLiteral("the pending, completed and unsuccessful goals: each list's caption, its goal lines, an "
                        "empty line"),
         goalsCommand},
        {QStringLiteral("import-csv"), QStringLiteral("FILE [--dry-run] [--unit kg|lbs] [--force]"),
         QStringLiteral("add the workouts of another app's CSV export; --dry-run only reports"), importCsvCommand},
        {QStringLiteral("list"), QString(), QStringLiteral("the lines of the list of past workouts, separators included"),
         listCommand},
        {QStringLiteral("progress"),
         QStringLiteral("--exercise NAME [--measure 1rm|weight|volume] [--from DATE] [--to DATE] (--csv | --png FILE)"),
         QStringLiteral("exercise NAME's best expected 1RM, heaviest weight or volume of each workout, as CSV or a chart; "
                        "DATE in the short date format or as yyyy-MM-dd"),
         progressCommand},
        {QStringLiteral("records"), QStringLiteral("[--exercise NAME]"),
         QStringLiteral("the personal records of every exercise (or of NAME), tab-separated with a header line"),
         recordsCommand},
        {QStringLiteral("run"), QStringLiteral("[--timeout SECONDS] [--workout N] SCRIPT [SCRIPT...]"),
         QStringLiteral("runs scripts in one interpreter: outputs to standard output, input answers from standard "
                        "input"),
         runCommand},
        {QStringLiteral("stats"), QString(), QStringLiteral("the training period analysis"), statsCommand},
        {QStringLiteral("week"), QStringLiteral("N"), QStringLiteral("the week analysis of the week holding workout N"),
         weekCommand},
    };
    return commands;
}
