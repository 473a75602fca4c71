#include "editor/ScriptHelp.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>

ScriptHelpWindow::ScriptHelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmScriptHelp"));
    setWindowTitle(QStringLiteral("Fortavo scripting help"));

    edtSearch = new QLineEdit(this);
    edtSearch->setObjectName(QStringLiteral("edtSearch"));
    edtSearch->setPlaceholderText(QStringLiteral("Search (Enter finds the next)"));
    edtSearch->setClearButtonEnabled(true);
    lblFound = new QLabel(this);
    lblFound->setObjectName(QStringLiteral("lblFound"));
    auto *searchLabel = new QLabel(QStringLiteral("&Search:"), this);
    searchLabel->setBuddy(edtSearch);

    lstIndex = new QListWidget(this);
    lstIndex->setObjectName(QStringLiteral("lstIndex"));
    txtHelp = new QTextBrowser(this);
    txtHelp->setObjectName(QStringLiteral("txtHelp"));
    txtHelp->setOpenLinks(false);
    QFile file(QStringLiteral(":/help/scripting.html"));
    if (file.open(QIODevice::ReadOnly))
        txtHelp->setHtml(QString::fromUtf8(file.readAll()));
    buildIndex();

    auto *top = new QHBoxLayout;
    top->addWidget(searchLabel);
    top->addWidget(edtSearch, 1);
    top->addWidget(lblFound);
    auto *splitter = new QSplitter(this);
    splitter->addWidget(lstIndex);
    splitter->addWidget(txtHelp);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({190, 610});
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(splitter, 1);

    connect(edtSearch, &QLineEdit::returnPressed, this, [this] { search(edtSearch->text()); });
    connect(edtSearch, &QLineEdit::textEdited, this, [this](const QString &text) {
        // Typing searches from the top, so the first occurrence shows.
        txtHelp->moveCursor(QTextCursor::Start);
        search(text);
    });
    connect(lstIndex, &QListWidget::currentRowChanged, this, &ScriptHelpWindow::showSection);
    resize(800, 600);
}

void ScriptHelpWindow::buildIndex()
{
    // One entry per heading below the title; subsections are indented.
    for (QTextBlock block = txtHelp->document()->begin(); block.isValid(); block = block.next()) {
        const int level = block.blockFormat().headingLevel();
        if (level < 2)
            continue;
        auto *item = new QListWidgetItem(QString(4 * (level - 2), u' ') + block.text(), lstIndex);
        item->setData(Qt::UserRole, block.position());
    }
}

void ScriptHelpWindow::showSection(int row)
{
    QListWidgetItem *item = lstIndex->item(row);
    if (!item)
        return;
    const QTextBlock block = txtHelp->document()->findBlock(item->data(Qt::UserRole).toInt());
    QTextCursor cursor(block);
    txtHelp->setTextCursor(cursor);
    // The heading goes to the top of the view.
    const QRectF place = txtHelp->document()->documentLayout()->blockBoundingRect(block);
    txtHelp->verticalScrollBar()->setValue(int(place.top()));
}

bool ScriptHelpWindow::search(const QString &text)
{
    if (text.isEmpty()) {
        lblFound->clear();
        return false;
    }
    bool found = txtHelp->find(text);
    if (!found) {
        txtHelp->moveCursor(QTextCursor::Start);
        found = txtHelp->find(text);
    }
    lblFound->setText(found ? QString() : QStringLiteral("Not found"));
    return found;
}
