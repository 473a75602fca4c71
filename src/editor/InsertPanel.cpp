#include "editor/InsertPanel.h"

#include "common/CommandGuard.h"
#include "common/UserPrompts.h"
#include "editor/CodeInsertion.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTreeWidget>

namespace {
QTreeWidget *createTree(const char *name, QWidget *parent)
{
    auto *tree = new QTreeWidget(parent);
    tree->setObjectName(QLatin1String(name));
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    return tree;
}

void addFunctionNodes(QTreeWidgetItem *parent, const QList<CodeInsertion::FunctionNode> &nodes)
{
    for (const CodeInsertion::FunctionNode &node : nodes)
        addFunctionNodes(new QTreeWidgetItem(parent, {node.text}), node.children);
}
}

InsertPanel::InsertPanel(UserPrompts &prompts, QPlainTextEdit &text, QWidget *parent)
    : QTabWidget(parent), m_prompts(prompts), m_text(text)
{
    setObjectName(QStringLiteral("tabInsert"));
    trvKod = createTree("trvKod", this);
    for (const QString &name : CodeInsertion::snippetNames())
        new QTreeWidgetItem(trvKod, {name});
    trvFunkcije = createTree("trvFunkcije", this);
    for (const CodeInsertion::FunctionNode &top : CodeInsertion::functionTree())
        addFunctionNodes(new QTreeWidgetItem(trvFunkcije, {top.text}), top.children);

    addTab(trvKod, QStringLiteral("Code snippets"));
    addTab(trvFunkcije, QStringLiteral("Built-in functions"));
    setCurrentIndex(0);
    // Both captions show whole: the panel is never narrower than its two tabs.
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);

    const auto guarded = [this](void (InsertPanel::*handler)(QTreeWidgetItem *)) {
        return [this, handler](QTreeWidgetItem *item) { runGuarded(m_prompts, [&] { (this->*handler)(item); }); };
    };
    connect(trvKod, &QTreeWidget::itemDoubleClicked, this, guarded(&InsertPanel::trvKodClick));
    connect(trvFunkcije, &QTreeWidget::itemDoubleClicked, this, guarded(&InsertPanel::trvFunkcijeDblClick));
}

void InsertPanel::trvKodClick(QTreeWidgetItem *item)
{
    if (!item)
        return;
    const QString text = CodeInsertion::snippetText(item->text(0), [this](const QString &prompt) {
        QString answer;
        if (!m_prompts.input(QStringLiteral("Input"), prompt, answer))
            answer.clear();
        return answer;
    });
    insertAtCaret(text);
}

void InsertPanel::trvFunkcijeDblClick(QTreeWidgetItem *item)
{
    if (!item)
        return;
    QStringList ancestors;
    for (QTreeWidgetItem *up = item->parent(); up; up = up->parent())
        ancestors.append(up->text(0));
    insertAtCaret(CodeInsertion::functionName(item->text(0), ancestors));
}

void InsertPanel::insertAtCaret(const QString &text)
{
    if (text.isEmpty())
        return;
    QTextCursor cursor = m_text.textCursor();
    cursor.setPosition(cursor.selectionStart());
    cursor.insertText(text);
    m_text.setTextCursor(cursor);
    m_text.setFocus();
}
