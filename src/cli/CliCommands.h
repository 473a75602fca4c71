#pragma once

#include "cli/CliContext.h"

// The commands of fortavo-cli; cliCommands() in CliCommands.cpp lists each by name.

// ListCommand.cpp
int listCommand(CliContext &context, const QStringList &args);
// ReportCommands.cpp: the main window's analyses and exports.
int weekCommand(CliContext &context, const QStringList &args);
int statsCommand(CliContext &context, const QStringList &args);
int densityCommand(CliContext &context, const QStringList &args);
int exportTextCommand(CliContext &context, const QStringList &args);
int exportStatsCommand(CliContext &context, const QStringList &args);
int exportHtmlCommand(CliContext &context, const QStringList &args);
// ExerciseCommands.cpp
int exerciseAnalysisCommand(CliContext &context, const QStringList &args);
int exerciseUsageCommand(CliContext &context, const QStringList &args);
int exerciseGraphCommand(CliContext &context, const QStringList &args);
// ProgressCommands.cpp
int recordsCommand(CliContext &context, const QStringList &args);
int progressCommand(CliContext &context, const QStringList &args);
// GoalsCommand.cpp
int goalsCommand(CliContext &context, const QStringList &args);
// RunCommand.cpp
int runCommand(CliContext &context, const QStringList &args);
// ConvertCommand.cpp
int convertCommand(CliContext &context, const QStringList &args);

// CsvCommands.cpp
int importCsvCommand(CliContext &context, const QStringList &args);
int exportCsvCommand(CliContext &context, const QStringList &args);
