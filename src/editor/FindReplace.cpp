#include "editor/FindReplace.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QVBoxLayout>

namespace TextSearch {
namespace {
QTextDocument::FindFlags flags(const Options &options)
{
    QTextDocument::FindFlags f;
    if (options.matchCase)
        f |= QTextDocument::FindCaseSensitively;
    if (options.wholeWord)
        f |= QTextDocument::FindWholeWords;
    return f;
}

bool findFrom(QPlainTextEdit &edit, const Options &options, int position)
{
    if (options.text.isEmpty())
        return false;
    const QTextCursor found = edit.document()->find(options.text, position, flags(options));
    if (found.isNull())
        return false;
    edit.setTextCursor(found);
    edit.setFocus();
    return true;
}

int searchStart(const QPlainTextEdit &edit)
{
    const QTextCursor cursor = edit.textCursor();
    return cursor.hasSelection() ? cursor.selectionEnd() : 0;
}

void replaceSelection(QPlainTextEdit &edit, const QString &replacement)
{
    QTextCursor cursor = edit.textCursor();
    cursor.insertText(replacement);
    edit.setTextCursor(cursor);
}
}

bool findNext(QPlainTextEdit &edit, const Options &options)
{
    return findFrom(edit, options, searchStart(edit));
}

bool replace(QPlainTextEdit &edit, const Options &options, const QString &replacement)
{
    const bool found = findNext(edit, options);
    if (edit.textCursor().hasSelection())
        replaceSelection(edit, replacement);
    return found;
}

int replaceAll(QPlainTextEdit &edit, const Options &options, const QString &replacement)
{
    const Qt::CaseSensitivity cs = options.matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool endless = !options.text.isEmpty() && replacement.contains(options.text, cs);
    int replaced = 0;
    findNext(edit, options);
    while (edit.textCursor().hasSelection()) {
        replaceSelection(edit, replacement);
        ++replaced;
        findFrom(edit, options, endless ? edit.textCursor().position() : 0);
    }
    return replaced;
}
}

SearchDialog::SearchDialog(Kind kind, QWidget *parent) : QDialog(parent)
{
    const bool replacing = kind == Kind::Replace;
    setObjectName(replacing ? QStringLiteral("rplReplace") : QStringLiteral("fndFind"));
    setWindowTitle(replacing ? QStringLiteral("Replace") : QStringLiteral("Find"));
    setModal(false);

    auto *form = new QFormLayout;
    m_findText = new QLineEdit(this);
    m_findText->setObjectName(QStringLiteral("edtFindText"));
    form->addRow(QStringLiteral("Fi&nd what:"), m_findText);
    if (replacing) {
        m_replaceText = new QLineEdit(this);
        m_replaceText->setObjectName(QStringLiteral("edtReplaceText"));
        form->addRow(QStringLiteral("Re&place with:"), m_replaceText);
    }
    m_matchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    m_matchCase->setObjectName(QStringLiteral("chbMatchCase"));
    m_wholeWord = new QCheckBox(QStringLiteral("Match &whole word only"), this);
    m_wholeWord->setObjectName(QStringLiteral("chbWholeWord"));

    auto *buttons = new QDialogButtonBox(Qt::Vertical, this);
    const auto addButton = [&](const QString &text, const char *name, std::function<void()> SearchDialog::*callback) {
        QPushButton *button = buttons->addButton(text, QDialogButtonBox::ActionRole);
        button->setObjectName(QLatin1String(name));
        connect(button, &QPushButton::clicked, this, [this, callback] {
            if (this->*callback)
                (this->*callback)();
        });
        return button;
    };
    QPushButton *findButton = addButton(QStringLiteral("&Find Next"), "btnFindNext", &SearchDialog::onFindNext);
    findButton->setDefault(true);
    if (replacing) {
        addButton(QStringLiteral("&Replace"), "btnReplace", &SearchDialog::onReplace);
        addButton(QStringLiteral("Replace &All"), "btnReplaceAll", &SearchDialog::onReplaceAll);
    }
    QPushButton *cancel = buttons->addButton(QDialogButtonBox::Cancel);
    connect(cancel, &QPushButton::clicked, this, &QDialog::hide);

    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addWidget(m_matchCase);
    left->addWidget(m_wholeWord);
    left->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(buttons);
}

TextSearch::Options SearchDialog::options() const
{
    return {m_findText->text(), m_matchCase->isChecked(), m_wholeWord->isChecked()};
}

QString SearchDialog::replacement() const
{
    return m_replaceText ? m_replaceText->text() : QString();
}

void SearchDialog::clearTexts()
{
    m_findText->clear();
    if (m_replaceText)
        m_replaceText->clear();
}
