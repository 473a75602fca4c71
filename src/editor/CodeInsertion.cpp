#include "editor/CodeInsertion.h"

namespace CodeInsertion {
namespace {
const QString Br = QStringLiteral("\n");

QString block(const QString &opening, const QString &closing)
{
    return opening + Br + Br + closing;
}
}

const QStringList &snippetNames()
{
    static const QStringList names = {
        QStringLiteral("Include code"), QStringLiteral("Variable declaration"), QStringLiteral("Input"),
        QStringLiteral("Output"),       QStringLiteral("If condition"),         QStringLiteral("If-Else condition"),
        QStringLiteral("While loop"),   QStringLiteral("Subroutine"),           QStringLiteral("Call subroutine"),
        QStringLiteral("Comment")};
    return names;
}

QString includeLine(const QString &name)
{
    const QString ext = QStringLiteral(".fvs");
    return QStringLiteral("include ") + (name.endsWith(ext, Qt::CaseSensitive) ? name : name + ext);
}

QString snippetText(const QString &name, const Ask &ask)
{
    const QString condition = QStringLiteral("Type the condition:");
    const QString subName = QStringLiteral("Type the name of the subroutine:");
    if (name == u"Include code")
        return includeLine(ask(QStringLiteral("Type the name of the file to include:"))) + Br;
    if (name == u"Variable declaration")
        return QStringLiteral("var ")
               + ask(QStringLiteral("Type the variables you wish to declare, and separate them with commas:")) + Br;
    if (name == u"Input") {
        const QString message = ask(QStringLiteral("Type the message to be displayed:"));
        const QString preset = ask(QStringLiteral("Type the default input value:"));
        return QStringLiteral("input(") + message + QStringLiteral(", ") + preset + QStringLiteral(")") + Br;
    }
    if (name == u"Output")
        return QStringLiteral("output(") + ask(QStringLiteral("Type the output message:")) + QStringLiteral(")") + Br;
    if (name == u"If condition")
        return block(QStringLiteral("if ") + ask(condition), QStringLiteral("endif"));
    if (name == u"If-Else condition")
        return block(block(QStringLiteral("if ") + ask(condition), QStringLiteral("else")), QStringLiteral("endif"));
    if (name == u"While loop")
        return block(QStringLiteral("while ") + ask(QStringLiteral("Type the condition of the loop:")),
                     QStringLiteral("endwhile"));
    if (name == u"Subroutine")
        return block(QStringLiteral("sub ") + ask(subName), QStringLiteral("endsub"));
    if (name == u"Call subroutine")
        return QStringLiteral("call ") + ask(subName) + Br;
    if (name == u"Comment")
        return QStringLiteral("; ") + ask(QStringLiteral("Type the comment:")) + Br;
    return QString();
}

const QList<FunctionNode> &functionTree()
{
    static const QList<FunctionNode> tree = [] {
        const auto leaves = [](std::initializer_list<const char *> texts) {
            QList<FunctionNode> nodes;
            for (const char *t : texts)
                nodes.append({QString::fromLatin1(t), {}});
            return nodes;
        };
        QList<FunctionNode> workouts = leaves({"Count", "Selected", "Load( )"});
        workouts.append({QStringLiteral("Info"), leaves({"Duration", "$Date", "$Time", "$Bodypart", "$Type", "$Comment"})});
        QList<FunctionNode> cardio = leaves({"Count", "TotalDuration", "TotalDistance", "TotalCalories"});
        cardio.append({QStringLiteral("_"), leaves({"$Type", "$Time", "Duration", "Distance", "Calories"})});
        QList<FunctionNode> exercises = leaves({"Count", "TotalSets", "TotalReps", "TotalWeight"});
        exercises.append({QStringLiteral("_"), leaves({"$Name", "$Type", "Sets", "Reps", "Weight", "1RM"})});
        return QList<FunctionNode>{
            {QStringLiteral("Workouts"), workouts},
            {QStringLiteral("Cardio"), cardio},
            {QStringLiteral("Exercises"), exercises},
            {QStringLiteral("Math"), leaves({"Abs( )", "Min( , )", "Max( , )", "Round( , )", "Trunc( )", "Log( )",
                                             "Sin( )", "Cos( )", "Tan( )", "Sqrt( )"})},
            {QStringLiteral("String"), leaves({"Length( )", "$LowerCase( )", "$UpperCase( )", "$Concat( , )",
                                               "$Copy( , ,)", "$Insert( , ,)", "$Delete( , ,)", "$Str( )", "Val( )",
                                               "Newline"})},
            {QStringLiteral("Array"), leaves({"Size( )", "At( , )", "Insert( , , )", "Remove( , )", "Push( , )",
                                              "Pop( )", "Sort( )", "Reverse( )", "Explode( , )", "Find( , )"})},
        };
    }();
    return tree;
}

QString functionName(const QString &nodeText, const QStringList &ancestorsNearestFirst)
{
    QString name = nodeText.startsWith(u'$') ? nodeText.mid(1) : nodeText;
    for (const QString &ancestor : ancestorsNearestFirst)
        name.prepend(ancestor == u"_" ? QStringLiteral(" _") : ancestor + u'_');
    return name;
}
}
