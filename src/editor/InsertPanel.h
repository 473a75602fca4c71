#pragma once

#include <QTabWidget>

class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class UserPrompts;

// The insertion panel beside the script text: statement skeletons that ask for their
// parts, and the tree of built-in functions whose full names it inserts at the caret.
class InsertPanel : public QTabWidget {
    Q_OBJECT
public:
    InsertPanel(UserPrompts &prompts, QPlainTextEdit &text, QWidget *parent = nullptr);

    void trvKodClick(QTreeWidgetItem *item);
    void trvFunkcijeDblClick(QTreeWidgetItem *item);
    // Inserts text before the caret (the start of the selection) without replacing
    // the selection; line breaks in text split the line.
    void insertAtCaret(const QString &text);

    QTreeWidget *snippets() const { return trvKod; }
    QTreeWidget *functions() const { return trvFunkcije; }

private:
    UserPrompts &m_prompts;
    QPlainTextEdit &m_text;
    QTreeWidget *trvKod = nullptr;
    QTreeWidget *trvFunkcije = nullptr;
};
