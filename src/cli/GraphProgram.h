#pragma once

#include <QByteArray>
#include <QStringList>

// fortavo-graph, the small program that draws graphs for fortavo-cli so that fortavo-cli
// itself loads no graphics library: beside fortavo-cli in a build, under
// libexec/fortavo once installed.
QString graphProgram();
// Runs it with the arguments and the input on its standard input; its failure message
// becomes a FortavoError.
void runGraphProgram(const QStringList &args, const QByteArray &input);
