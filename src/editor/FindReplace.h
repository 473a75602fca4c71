#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

// Searching a script: forwards only, from the end of the selection (or from the
// start of the text when nothing is selected), never wrapping round.
namespace TextSearch {
struct Options {
    QString text;
    bool matchCase = false;
    bool wholeWord = false;
};
// Selects the next occurrence and gives the text area the focus; false when there is
// none (the selection then stays as it was).
bool findNext(QPlainTextEdit &edit, const Options &options);
// Searches, then replaces what is selected: the occurrence found, or when nothing was
// found whatever was selected before. False when nothing was found.
bool replace(QPlainTextEdit &edit, const Options &options, const QString &replacement);
// Searches and replaces as long as something is selected. A replacement that holds
// the find text would be found again for ever: then each search goes on after the
// last replacement instead of from the start. Returns the number of replacements.
int replaceAll(QPlainTextEdit &edit, const Options &options, const QString &replacement);
}

// The find dialog (and, with a replacement field, the replace dialog): shown without
// blocking the editor. Its buttons report through the callbacks.
class SearchDialog : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Find, Replace };
    SearchDialog(Kind kind, QWidget *parent);

    TextSearch::Options options() const;
    QString replacement() const;
    void clearTexts();

    std::function<void()> onFindNext, onReplace, onReplaceAll;

private:
    QLineEdit *m_findText = nullptr;
    QLineEdit *m_replaceText = nullptr;
    QCheckBox *m_matchCase = nullptr;
    QCheckBox *m_wholeWord = nullptr;
};
