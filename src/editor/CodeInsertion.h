#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The texts of the editor's insertion panel: statement skeletons and the names of the
// built-in functions. Line breaks in the results are "\n".
namespace CodeInsertion {

// The ten snippet captions, in the panel's order.
const QStringList &snippetNames();

// Asks one question (caption "Input") and returns the answer; empty when cancelled.
using Ask = std::function<QString(const QString &prompt)>;

// The text of a snippet, asking for its parts in order; empty for an unknown name.
QString snippetText(const QString &name, const Ask &ask);

// "include " + the name, with ".fvs" added unless its last four characters are ".fvs".
QString includeLine(const QString &name);

// The built-in function tree: each top node with its members; a member's own
// members follow in children.
struct FunctionNode {
    QString text;
    QList<FunctionNode> children;
};
const QList<FunctionNode> &functionTree();

// The name inserted for a node, from the node's text and its ancestors' texts
// (nearest first): "$Date" under "Info" under "Workouts" gives "Workouts_Info_Date".
QString functionName(const QString &nodeText, const QStringList &ancestorsNearestFirst);
}
