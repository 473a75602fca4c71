#include "analysis/WorkoutExport.h"

#include "analysis/ReportText.h"
#include "common/Errors.h"
#include "common/RegionalSettings.h"
#include "common/ValueConversions.h"
#include "common/WholeFile.h"
#include "store/RowTexts.h"

#include <QDir>

using ReportText::CRLF;

QString workoutText(const WorkoutRecord &record, const QStringList &trainingTypes)
{
    const RegionalSettings &regional = RegionalSettings::current();
    const QString indent = QStringLiteral(" \t");
    QString t = QStringLiteral("Workout") + CRLF + CRLF;
    t += indent + QStringLiteral("Date: ") + regional.dayCountDateText(record.Date) + CRLF;
    t += indent + QStringLiteral("Start time: ") + regional.dayCountTimeText(record.StartTime) + CRLF;
    t += indent + QStringLiteral("Duration: ") + NumberText(record.Duration) + QStringLiteral(" min") + CRLF;
    t += indent + QStringLiteral("Bodypart trained: ") + record.Bodypart + CRLF;
    t += indent + QStringLiteral("Type of traning: ") + ReportText::itemOrEmpty(trainingTypes, record.TrainingType) + CRLF;
    t += indent + QStringLiteral("Comment: ") + record.Comment + CRLF + CRLF;
    t += indent + QStringLiteral("Cardio:") + CRLF;
    for (const CardioEntry &row : record.Cardio) {
        t += indent + indent + row.CardioType + QLatin1Char(' ') + regional.dayCountTimeText(row.StartTime) + QLatin1Char(' ')
            + RowTexts::twoDecimalsText(row.Duration) + QStringLiteral(" min ") + QString::number(row.Distance) + QLatin1Char(' ')
            + QString::number(row.Calories) + CRLF;
    }
    t += CRLF + indent + QStringLiteral("Exercises:") + CRLF;
    for (const ExerciseEntry &row : record.Exercises) {
        t += indent + indent + row.ExecutionType + QStringLiteral(": ") + row.Name + QStringLiteral(", ")
            + QString::number(row.Sets) + QStringLiteral("×") + QString::number(row.Reps) + QStringLiteral(", ")
            + FixedTwoDecimals(row.Weight) + QStringLiteral(" kg/lbs") + CRLF;
    }
    return t;
}

namespace {
QString tableStart(const QStringList &titles)
{
    QString t = QStringLiteral("<table border=\"3\"><tr align=\"center\">");
    for (const QString &title : titles)
        t += QStringLiteral("<td><b>") + title + QStringLiteral("</b></td>");
    return t + QStringLiteral("</tr>") + CRLF;
}

QString tableRow(const QStringList &cells)
{
    QString t = QStringLiteral("<tr>");
    for (const QString &cell : cells)
        t += QStringLiteral("<td>") + cell + QStringLiteral("</td>");
    return t + QStringLiteral("</tr>") + CRLF;
}
}

QString htmlFragment(const QString &heading, const WorkoutRecord &record, const QStringList &trainingTypes)
{
    const RegionalSettings &regional = RegionalSettings::current();
    QString t;
    t += QStringLiteral("<center><h3>") + heading + QStringLiteral("</h3></center><br/><br/>") + CRLF;
    t += QStringLiteral("<b><u>Workout info:</u></b><br/><ul>") + CRLF;
    t += QStringLiteral("<li>Date: ") + regional.dayCountDateText(record.Date) + QStringLiteral("</li>") + CRLF;
    t += QStringLiteral("<li>Start time: ") + regional.dayCountTimeText(record.StartTime) + QStringLiteral("</li>") + CRLF;
    t += QStringLiteral("<li>Duration: ") + NumberText(record.Duration) + QStringLiteral(" min</li>") + CRLF;
    t += QStringLiteral("<li>Bodypart trained: ") + record.Bodypart + QStringLiteral("</li>") + CRLF;
    t += QStringLiteral("<li>Type of traning: ") + ReportText::itemOrEmpty(trainingTypes, record.TrainingType)
        + QStringLiteral("</li>") + CRLF;
    t += QStringLiteral("<li>Comment: ") + record.Comment + QStringLiteral("</li>") + CRLF;
    t += QStringLiteral("</ul><br/>") + CRLF;

    t += QStringLiteral("<b><u>Cardio:</u></b><br/>") + CRLF;
    t += tableStart({"#", "Type", "Start time", "Duration", "Distance", "Calories burned"});
    int i = 0;
    for (const CardioEntry &row : record.Cardio)
        t += tableRow({QString::number(++i) + QLatin1Char('.'), row.CardioType,
                       regional.dayCountTimeText(row.StartTime),
                       RowTexts::twoDecimalsText(row.Duration) + QStringLiteral(" min"), QString::number(row.Distance),
                       QString::number(row.Calories)});
    t += QStringLiteral("</table><br/><br/>") + CRLF;

    t += QStringLiteral("<b><u>Exercises:</u></b><br/>") + CRLF;
    t += tableStart({"#", "Name", "Execution", "Sets", "Reps", "Weight"});
    i = 0;
    for (const ExerciseEntry &row : record.Exercises)
        t += tableRow({QString::number(++i) + QLatin1Char('.'), row.Name, row.ExecutionType, QString::number(row.Sets),
                       QString::number(row.Reps), FixedTwoDecimals(row.Weight) + QStringLiteral(" kg/lbs")});
    t += QStringLiteral("</table><br/><br/>") + CRLF;
    return t;
}

QList<QByteArray> templateLines(const QByteArray &content)
{
    QList<QByteArray> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < content.size(); ++i) {
        const char c = content.at(i);
        if (c != '\n' && c != '\r')
            continue;
        lines << content.mid(start, i - start);
        if (c == '\r' && i + 1 < content.size() && content.at(i + 1) == '\n')
            ++i;
        start = i + 1;
    }
    if (start < content.size())
        lines << content.mid(start);
    return lines;
}

QByteArray htmlPage(const QByteArray &templateContent, const QString &templateName, const QString &heading,
                    const WorkoutRecord &record, const QStringList &trainingTypes)
{
    const QList<QByteArray> lines = templateLines(templateContent);
    qsizetype marker = -1;
    for (qsizetype i = 0; i < lines.size() && marker < 0; ++i)
        if (lines.at(i).contains('$'))
            marker = i;
    if (marker < 0)
        throw FortavoError(QStringLiteral("The HTML template \"%1\" has no marker line (a line holding \"$\"); "
                                          "nothing was exported.")
                               .arg(QDir::toNativeSeparators(templateName)));

    QByteArray page;
    page.reserve(templateContent.size() + 4096);
    for (qsizetype i = 0; i < marker; ++i)
        page += lines.at(i) + "\r\n";
    page += ReportText::encode(htmlFragment(heading, record, trainingTypes));
    for (qsizetype i = marker + 1; i < lines.size(); ++i)
        page += lines.at(i) + "\r\n";
    return page;
}

QByteArray readTemplate(const QString &path)
{
    return WholeFile::read(path, QStringLiteral("the HTML template"));
}
