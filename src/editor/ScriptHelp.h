#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QListWidget;
class QTextBrowser;

// The scripting help: the language's statements, operators and library with examples,
// and the editor's keys. It is part of the program (a resource), so it shows without
// any desktop helper. An index of its sections on the left, a search field on top.
class ScriptHelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit ScriptHelpWindow(QWidget *parent = nullptr);

    // Selects the next occurrence of text after the current one, from the top again
    // at the end; false when the help does not hold it.
    bool search(const QString &text);
    // Shows the section of index entry row.
    void showSection(int row);

private:
    void buildIndex();

    QLineEdit *edtSearch = nullptr;
    QLabel *lblFound = nullptr;
    QListWidget *lstIndex = nullptr;
    QTextBrowser *txtHelp = nullptr;
};
