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
    const QString indent = QStringLiteral(" \t");
    QString t = QStringLiteral("Workout") + CRLF + CRLF;
    t += indent + QStringLiteral("Date: ") + RegionalSettings::current().dayCountDateText(record.Date) + CRLF;
    t += indent + QStringLiteral("Start time: ") + RegionalSettings::current().dayCountTimeText(record.StartTime) + CRLF;
    t += indent + QStringLiteral("Duration: ") + NumberText(record.Duration) + QStringLiteral(" min") + CRLF;
    t += indent + QStringLiteral("Bodypart trained: ") + record.Bodypart + CRLF;
    t += indent + QStringLiteral("Type of traning: ") + ReportText::itemOrEmpty(trainingTypes, record.TrainingType) + CRLF;
    t += indent + QStringLiteral("Comment: ") + record.Comment + CRLF + CRLF;
    t += indent + QStringLiteral("Cardio:") + CRLF;
    for (const CardioEntry &row : record.Cardio) {
        t += indent + indent + row.CardioType + QLatin1Char(' ') + RegionalSettings::current().dayCountTimeText(row.StartTime) + QLatin1Char(' ')
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

QString htmlFragment(const QString &heading, const WorkoutRecord &record, const QStringList &trainingTypes)
{
    QString t;
    t += QStringLiteral("<center><h3>") + heading + QStringLiteral("</h3></center><br/><br/>") + CRLF;
    t += QStringLiteral("<b><u>Workout info:</u></b><br/><ul>") + CRLF;
    t += QStringLiteral("<li>Date: ") + RegionalSettings::current().dayCountDateText(record.Date) + QStringLiteral("</li>") + CRLF;
    t += QStringLiteral("<li>Start time: ") + RegionalSettings::current().dayCountTimeText(record.StartTime) + QStringLiteral("</li>") + CRLF;
    t += QStringLiteral("<li>Duration: ") + NumberText(record.Duration) + QStringLiteral(" min</li>") + CRLF;
    t += QStringLiteral("<li>Bodypart trained: ") + record.Bodypart + QStringLiteral("</li>") + CRLF;
    t += QStringLiteral("<li>Type of traning: ") + ReportText::itemOrEmpty(trainingTypes, record.TrainingType)
        + QStringLiteral("</li>") + CRLF;
    t += QStringLiteral("<li>Comment: ") + record.Comment + QStringLiteral("</li>") + CRLF;
    t += QStringLiteral("</ul><br/>") + CRLF;

    t += QStringLiteral("<b><u>Cardio:</u></b><br/>") + CRLF;
    t += QStringLiteral("<table border=\"3\"><tr align=\"center\"><td><b>#</b></td><td><b>Type</b></td>"
                        "<td><b>Start time</b></td><td><b>Duration</b></td><td><b>Distance</b></td>"
                        "<td><b>Calories burned</b></td></tr>")
        + CRLF;
    int i = 0;
    for (const CardioEntry &row : record.Cardio) {
        t += QStringLiteral("<tr><td>%1.</td><td>%2</td><td>%3</td><td>%4 min</td><td>%5</td><td>%6</td></tr>")
                 .arg(QString::number(++i), row.CardioType, RegionalSettings::current().dayCountTimeText(row.StartTime), RowTexts::twoDecimalsText(row.Duration),
                      QString::number(row.Distance), QString::number(row.Calories))
            + CRLF;
    }
    t += QStringLiteral("</table><br/><br/>") + CRLF;

    t += QStringLiteral("<b><u>Exercises:</u></b><br/>") + CRLF;
    t += QStringLiteral("<table border=\"3\"><tr align=\"center\"><td><b>#</b></td><td><b>Name</b></td>"
                        "<td><b>Execution</b></td><td><b>Sets</b></td><td><b>Reps</b></td>"
                        "<td><b>Weight</b></td></tr>")
        + CRLF;
    i = 0;
    for (const ExerciseEntry &row : record.Exercises) {
        t += QStringLiteral("<tr><td>%1.</td><td>%2</td><td>%3</td><td>%4</td><td>%5</td><td>%6 kg/lbs</td></tr>")
                 .arg(QString::number(++i), row.Name, row.ExecutionType, QString::number(row.Sets),
                      QString::number(row.Reps), FixedTwoDecimals(row.Weight))
            + CRLF;
    }
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
