#include "editor/Skripta.h"

#include "common/CommandGuard.h"
#include "common/CommandRegistry.h"
#include "common/Errors.h"
#include "common/PlainText.h"
#include "common/ProgramFolder.h"
#include "common/UserPrompts.h"
#include "common/WholeFile.h"
#include "editor/FindReplace.h"
#include "editor/InsertPanel.h"
#include "editor/ScriptEncoding.h"
#include "editor/ScriptHelp.h"
#include "editor/ScriptHighlighter.h"
#include "editor/ScriptTextEdit.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStatusBar>

namespace {
const QString ScriptFilter = QStringLiteral("Fortavo scripts (*.fvs)|*.fvs");
const QString Unsaved = QStringLiteral("Unsaved");
}

TfrmSkripta::TfrmSkripta(UserPrompts &prompts, Services services, QWidget *parent)
    : QMainWindow(parent), m_prompts(prompts), m_services(std::move(services))
{
    setObjectName(QStringLiteral("frmSkripta"));
    setWindowTitle(QStringLiteral("Script editor"));
    if (!m_services.options)
        m_services.options = [] { return ScriptEditorOptions(); };

    rchKod = new ScriptTextEdit(this);
    m_highlighter = new ScriptHighlighter(rchKod->document(), [this] {
        const ScriptEditorOptions options = m_services.options();
        return ScriptHighlighter::Colors{options.keywords, options.functions, options.strings};
    });
    tabInsert = new InsertPanel(m_prompts, *rchKod, this);

    auto *splitter = new QSplitter(this);
    splitter->addWidget(rchKod);
    splitter->addWidget(tabInsert);
    splitter->setStretchFactor(0, 1);
    splitter->setCollapsible(1, false);
    const int panelWidth = qMax(200, tabInsert->minimumSizeHint().width());
    splitter->setSizes({800 - panelWidth, panelWidth});
    setCentralWidget(splitter);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("stbStatus"));
    const char *panelNames[3] = {"pnlFile", "pnlLine", "pnlColumn"};
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QLatin1String(panelNames[i]));
        status->addWidget(m_panels[i], i == 0 ? 1 : 0);
    }
    m_panels[0]->setText(Unsaved);
    setStatusBar(status);

    fndFind = new SearchDialog(SearchDialog::Kind::Find, this);
    fndFind->onFindNext = [this] { runCommand([this] { findNext(); }); };
    rplReplace = new SearchDialog(SearchDialog::Kind::Replace, this);
    rplReplace->onFindNext = [this] {
        if (!TextSearch::findNext(*rchKod, rplReplace->options()))
            m_prompts.beep();
    };
    rplReplace->onReplace = [this] {
        if (!TextSearch::replace(*rchKod, rplReplace->options(), rplReplace->replacement()))
            m_prompts.beep();
    };
    rplReplace->onReplaceAll = [this] {
        TextSearch::replaceAll(*rchKod, rplReplace->options(), rplReplace->replacement());
    };

    createActions();
    createContextMenu();
    connect(rchKod, &QPlainTextEdit::textChanged, this, &TfrmSkripta::updateStatus);
    connect(rchKod, &ScriptTextEdit::clicked, this, &TfrmSkripta::updateStatus);
    // The panels follow the caret also when it moves by keyboard, so they never show a
    // stale place.
    connect(rchKod, &QPlainTextEdit::cursorPositionChanged, this, &TfrmSkripta::updateStatus);
    updateStatus();
    resize(800, 560);
}

TfrmSkripta::~TfrmSkripta() = default;

QAction *TfrmSkripta::addCommand(QMenu *menu, const char *name, const QString &text, const QKeySequence &key,
                                 const std::function<void()> &command)
{
    // The window's one registry makes each command's action and gives it its key.
    auto *commands = findChild<CommandRegistry *>(QString(), Qt::FindDirectChildrenOnly);
    if (!commands)
        commands = new CommandRegistry(this, [this](const std::function<void()> &run) { runCommand(run); });
    CommandSpec spec{QLatin1String(name), text, {}, Qt::WindowShortcut, {}, {}};
    if (!key.isEmpty())
        spec.keys << key;
    QAction *action = commands->add(spec);
    commands->bind(spec.name, command);
    menu->addAction(action);
    return action;
}

void TfrmSkripta::createActions()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    addCommand(file, "mniNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N), [this] { newScript(); });
    addCommand(file, "mniWizard", QStringLiteral("Script &Wizard"), QKeySequence(Qt::CTRL | Qt::Key_W), [this] { wizard(); });
    file->addSeparator();
    addCommand(file, "mniOpen", QStringLiteral("&Open"), QKeySequence(Qt::CTRL | Qt::Key_O), [this] { openScript(); });
    addCommand(file, "mniSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { saveScript(); });
    addCommand(file, "mniSaveAs", QStringLiteral("Save &As"), QKeySequence(Qt::Key_F6), [this] { saveScriptAs(); });
    file->addSeparator();
    addCommand(file, "mniExecute", QStringLiteral("&Execute Code"), QKeySequence(Qt::CTRL | Qt::Key_E), [this] { execute(); });
    file->addSeparator();
    addCommand(file, "mniClose", QStringLiteral("&Close"), QKeySequence(Qt::Key_Escape), [this] { closeEditor(); });

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    addCommand(edit, "mniUndo", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z), [this] { rchKod->undo(); });
    edit->addSeparator();
    addCommand(edit, "mniCut", QStringLiteral("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X), [this] { rchKod->cut(); });
    addCommand(edit, "mniCopy", QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), [this] { rchKod->copy(); });
    addCommand(edit, "mniPaste", QStringLiteral("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V), [this] { rchKod->paste(); });
    addCommand(edit, "mniDelete", QStringLiteral("&Delete"), QKeySequence(Qt::Key_Delete),
               [this] { rchKod->textCursor().removeSelectedText(); });
    addCommand(edit, "mniSelectAll", QStringLiteral("Select &All"), QKeySequence(Qt::CTRL | Qt::Key_A),
               [this] { rchKod->selectAll(); });
    edit->addSeparator();
    addCommand(edit, "mniIndent", QStringLiteral("&Indent"), QKeySequence(Qt::Key_Tab), [this] { indent(); });
    addCommand(edit, "mniUnindent", QStringLiteral("Uninden&t"), QKeySequence(Qt::SHIFT | Qt::Key_Tab),
               [this] { unindent(); });
    addCommand(edit, "mniIndentWidth", QStringLiteral("Indent widt&h..."), {}, [this] { indentWidth(); });
    edit->addSeparator();
    addCommand(edit, "mniFind", QStringLiteral("&Find"), QKeySequence(Qt::CTRL | Qt::Key_F), [this] {
        fndFind->show();
        fndFind->raise();
    });
    addCommand(edit, "mniFindNext", QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3), [this] { findNext(); });
    addCommand(edit, "mniReplace", QStringLiteral("&Replace"), QKeySequence(Qt::CTRL | Qt::Key_R), [this] {
        rplReplace->show();
        rplReplace->raise();
    });
    edit->addSeparator();
    mniWordWrap = addCommand(edit, "mniWordWrap", QStringLiteral("&Word Wrap"), {}, [this] { wordWrapClick(); });
    // Starts without its check mark although the text wraps: the first click sets the
    // mark and keeps wrapping, the second turns it off.
    mniWordWrap->setCheckable(true);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    addCommand(help, "mniIndex", QStringLiteral("&Index"), QKeySequence(Qt::Key_F1), [this] { showHelp(); });
    addCommand(help, "mniAbout", QStringLiteral("&About..."), {},
               [this] { m_prompts.information(QStringLiteral("Fortavo Script Editor v.0.1")); });
    help->addSeparator();
    addCommand(help, "mniSampleCode", QStringLiteral("&Sample Code"), {}, [this] { sampleCode(); });

    // Keys of the window's commands reach the commands from the text area too (the
    // editing keys the text area handles in the same way stay with it).
    QList<QKeySequence> windowKeys;
    for (const char *name : {"mniNew", "mniWizard", "mniOpen", "mniSave", "mniSaveAs", "mniExecute", "mniClose",
                             "mniIndent", "mniUnindent", "mniFind", "mniFindNext", "mniReplace", "mniIndex"})
        windowKeys.append(findChild<QAction *>(QLatin1String(name))->shortcut());
    rchKod->setWindowKeys(windowKeys);
}

void TfrmSkripta::createContextMenu()
{
    auto *menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("pmnKod"));
    const auto action = [this](const char *name) { return findChild<QAction *>(QLatin1String(name)); };
    menu->addAction(action("mniUndo"));
    menu->addSeparator();
    for (const char *name : {"mniCut", "mniCopy", "mniPaste", "mniDelete", "mniSelectAll"})
        menu->addAction(action(name));
    menu->addSeparator();
    QMenu *insert = menu->addMenu(QStringLiteral("&Insert code"));
    insert->addAction(QStringLiteral("&Code snippet"), this, [this] { tabInsert->setCurrentIndex(0); });
    insert->addAction(QStringLiteral("&Built-in function"), this, [this] { tabInsert->setCurrentIndex(1); });
    rchKod->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(rchKod, &QWidget::customContextMenuRequested, this,
            [this, menu](const QPoint &at) { menu->popup(rchKod->viewport()->mapToGlobal(at)); });
}

void TfrmSkripta::runCommand(const std::function<void()> &command)
{
    runGuarded(m_prompts, command);
}

QString TfrmSkripta::statusPanel(int index) const
{
    return m_panels[index]->text();
}

bool TfrmSkripta::isModified() const
{
    return rchKod->document()->isModified();
}

void TfrmSkripta::updateStatus()
{
    const ScriptTextEdit::CaretPlace place = rchKod->caretPlace();
    m_panels[1]->setText(QStringLiteral("Ln %1 : %2").arg(place.line).arg(place.lineCount));
    m_panels[2]->setText(QStringLiteral("Col %1").arg(place.column));
}

void TfrmSkripta::setFilePanel(const QString &path)
{
    m_panels[0]->setText(path.isEmpty() ? Unsaved : QFileInfo(path).fileName());
}

bool TfrmSkripta::askToSave()
{
    if (!isModified())
        return true;
    switch (m_prompts.confirm(QStringLiteral("Content has been modified. Save it first?"), true)) {
    case UserPrompts::Answer::Cancel: return false;
    case UserPrompts::Answer::No: return true;
    case UserPrompts::Answer::Yes: saveScript(); return !isModified();
    }
    return false;
}

bool TfrmSkripta::askToSaveGuarded()
{
    bool goOn = false;
    runCommand([this, &goOn] { goOn = askToSave(); });
    return goOn;
}

void TfrmSkripta::newScript()
{
    if (!askToSave())
        return;
    rchKod->clear();
    rchKod->document()->setModified(false);
    CurrentScriptFile.clear();
    setFilePanel({});
}

void TfrmSkripta::openScript()
{
    if (!askToSave())
        return;
    UserPrompts::FileDialog dialog{QStringLiteral("Open script file"), ScriptFilter, QStringLiteral("fvs"), m_openFolder};
    dialog.mustExist = true;
    const QString chosen = m_prompts.openFileName(dialog);
    if (chosen.isEmpty())
        return;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    const QString text = PlainText::decode(WholeFile::read(path));
    if (text.size() > ScriptTextEdit::TextLimit)
        throw IoError(QStringLiteral("Cannot open file \"%1\". The script is longer than %2 characters.")
                          .arg(path)
                          .arg(ScriptTextEdit::TextLimit));
    rchKod->setPlainText(text);
    rchKod->document()->setModified(false);
    CurrentScriptFile = path;
    m_ownFile = path;
    setFilePanel(path);
}

std::optional<QByteArray> TfrmSkripta::scriptBytes(const QString &path)
{
    const QString text = rchKod->toPlainText();
    int total = 0;
    const QList<ScriptEncoding::Unstorable> first = ScriptEncoding::unstorable(text, 5, &total);
    if (first.isEmpty())
        return PlainText::encodeWithCrLf(text);
    // The code page would turn these characters into "?": never store that silently.
    if (path.isEmpty() || path != m_utf8File) {
        if (m_prompts.confirm(ScriptEncoding::question(first, total)) != UserPrompts::Answer::Yes)
            return std::nullopt;
    }
    return ScriptEncoding::utf8WithCrLf(text);
}

void TfrmSkripta::writeTo(const QString &path, const QByteArray &bytes)
{
    try {
        WholeFile::write(path, bytes);
    } catch (const IoError &error) {
        // The editor names a failed save as the creation of its file.
        const QString prefix = QStringLiteral("Cannot write \"%1\": ").arg(path);
        const QString reason = error.message().startsWith(prefix) ? error.message().mid(prefix.size()) : error.message();
        throw IoError(QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason));
    }
    // A file once stored in UTF-8 keeps that form without asking again.
    m_utf8File = bytes.startsWith("\xEF\xBB\xBF") ? path : QString();
    m_ownFile = path;
    rchKod->document()->setModified(false);
}

void TfrmSkripta::saveScript()
{
    if (CurrentScriptFile.isEmpty()) {
        saveScriptAs();
        return;
    }
    // A name the editor did not choose itself (the wizard's) may name someone's script.
    if (CurrentScriptFile != m_ownFile && QFileInfo::exists(CurrentScriptFile)
        && m_prompts.confirm(QStringLiteral("%1 already exists. Replace it?").arg(QDir::toNativeSeparators(CurrentScriptFile)))
               != UserPrompts::Answer::Yes)
        return;
    const std::optional<QByteArray> bytes = scriptBytes(CurrentScriptFile);
    if (bytes)
        writeTo(CurrentScriptFile, *bytes);
}

void TfrmSkripta::saveScriptAs()
{
    const std::optional<QByteArray> bytes = scriptBytes({});
    if (!bytes)
        return;
    UserPrompts::FileDialog dialog{QStringLiteral("Save script file"), ScriptFilter, QStringLiteral("fvs"),
                                   CurrentScriptFile.isEmpty() ? m_openFolder : CurrentScriptFile};
    dialog.askBeforeOverwrite = true;
    const QString chosen = m_prompts.saveFileName(dialog);
    if (chosen.isEmpty())
        return;
    const QString path = QFileInfo(chosen).absoluteFilePath();
    writeTo(path, *bytes);
    CurrentScriptFile = path;
    setFilePanel(path);
}

void TfrmSkripta::closeEditor()
{
    if (isModified()) {
        const UserPrompts::Answer answer =
            m_prompts.confirm(QStringLiteral("Content has been modified. Save it first?"), true);
        if (answer == UserPrompts::Answer::Cancel)
            return;
        if (answer == UserPrompts::Answer::Yes)
            saveScript(); // hides also when the save dialog was cancelled: the text stays
    }
    hide();
}

void TfrmSkripta::execute()
{
    saveScript();
    // A save that was refused leaves the text modified: the file on disk is not this script.
    if (!isModified() && !CurrentScriptFile.isEmpty() && QFileInfo::exists(CurrentScriptFile) && m_services.runScript)
        m_services.runScript(CurrentScriptFile);
}

void TfrmSkripta::wizard()
{
    if (!m_services.runWizard)
        return;
    // Finish first asks to save modified text; Cancel there keeps the text and leaves
    // the wizard open with its answers.
    const std::optional<WizardAnswers> answers =
        m_services.runWizard([this](const WizardAnswers &) { return askToSaveGuarded(); });
    if (!answers)
        return;
    // A wizard-named script is a .fvs file; a name without a folder lives in the
    // program's folder, beside the other files the program names that way.
    QString name = answers->name;
    if (!name.endsWith(QStringLiteral(".fvs"), Qt::CaseInsensitive))
        name += QStringLiteral(".fvs");
    CurrentScriptFile = QFileInfo(ProgramFolder::resolve(name)).absoluteFilePath();
    setFilePanel(CurrentScriptFile);
    rchKod->setPlainText(WizardCode::scriptText(answers->includes, answers->numberVariables, answers->stringVariables));
    rchKod->document()->setModified(true);
    rchKod->moveCursor(QTextCursor::End);
}

void TfrmSkripta::showHelp()
{
    if (!m_help)
        m_help = new ScriptHelpWindow(this);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

void TfrmSkripta::sampleCode()
{
    m_openFolder = ProgramFolder::resolve(QStringLiteral("Example scripts"));
    openScript();
}

void TfrmSkripta::indent()
{
    rchKod->replaceCaretLine(IndentUnit + rchKod->caretLineText());
}

void TfrmSkripta::unindent()
{
    const QString line = rchKod->caretLineText();
    rchKod->replaceCaretLine(!IndentUnit.isEmpty() && line.startsWith(IndentUnit) ? line.mid(IndentUnit.size()) : line);
}

void TfrmSkripta::indentWidth()
{
    QString answer = QStringLiteral("3");
    m_prompts.input(QStringLiteral("Indent width"), QStringLiteral("Input the number of spaces to be used as indentation:"),
                    answer);
    bool ok = false;
    const int width = answer.trimmed().toInt(&ok);
    if (!ok)
        throw ConversionError(QStringLiteral("''%1'' is not a valid integer value").arg(answer));
    IndentUnit = QString(qMax(0, width), u' ');
}

void TfrmSkripta::wordWrapClick()
{
    rchKod->setLineWrapMode(mniWordWrap->isChecked() ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    updateStatus();
}

void TfrmSkripta::findNext()
{
    if (!TextSearch::findNext(*rchKod, fndFind->options()))
        m_prompts.beep();
}

void TfrmSkripta::applyColors()
{
    m_highlighter->rehighlight();
}

void TfrmSkripta::clearEditor()
{
    rchKod->clear();
    rchKod->document()->setModified(false);
    CurrentScriptFile.clear();
    setFilePanel({});
    fndFind->clearTexts();
    rplReplace->clearTexts();
}

void TfrmSkripta::openingBehaviour()
{
    rchKod->setFocus();
    const ScriptEditorOptions::Opening opening = m_services.options().opening;
    if (opening == ScriptEditorOptions::Opening::KeepPrevious)
        return;
    clearEditor();
    if (opening == ScriptEditorOptions::Opening::RunWizard)
        runCommand([this] { wizard(); });
}

void TfrmSkripta::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        applyColors();
        openingBehaviour();
    }
}
