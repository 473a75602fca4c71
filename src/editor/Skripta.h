#pragma once

#include "editor/WizardCode.h"

#include <QByteArray>
#include <QColor>
#include <QMainWindow>

#include <functional>
#include <optional>

class InsertPanel;
class QAction;
class QLabel;
class ScriptHelpWindow;
class ScriptHighlighter;
class ScriptTextEdit;
class SearchDialog;
class UserPrompts;

// The options of the script editor that the settings window holds: what happens when
// the editor is shown, and the colours of the syntax colouring.
struct ScriptEditorOptions {
    enum class Opening { KeepPrevious = 0, ClearEditor = 1, RunWizard = 2 };
    Opening opening = Opening::ClearEditor;
    QColor keywords = QColor(0x00, 0x00, 0xFF);
    QColor functions = QColor(0xFF, 0x00, 0x00);
    QColor strings = QColor(0x00, 0x80, 0x00);
};

// The script editor: writes, loads, saves and runs script files.
class TfrmSkripta : public QMainWindow {
    Q_OBJECT
public:
    struct Services {
        // The options as they stand in the settings window at this moment.
        std::function<ScriptEditorOptions()> options;
        // Runs a saved script file with the program's interpreter.
        std::function<void(const QString &path)> runScript;
        // Shows the script wizard; no value when the user cancelled. The wizard closes
        // with its answers only when mayFinish agrees.
        std::function<std::optional<WizardAnswers>(const std::function<bool(const WizardAnswers &)> &mayFinish)>
            runWizard;
    };
    TfrmSkripta(UserPrompts &prompts, Services services, QWidget *parent = nullptr);
    ~TfrmSkripta() override;

    // File commands.
    void newScript();
    void openScript();
    void saveScript();
    void saveScriptAs();
    void closeEditor();
    void execute();
    void wizard();
    void sampleCode();
    // Help, Index: the scripting help window.
    void showHelp();
    // Editing commands.
    void indent();
    void unindent();
    void indentWidth();
    // The word wrap item was clicked (its check mark has just changed).
    void wordWrapClick();
    void findNext();
    // The colours changed in the settings: colour the text again.
    void applyColors();

    ScriptTextEdit *textArea() const { return rchKod; }
    QString statusPanel(int index) const;
    bool isModified() const;
    // Asks to save a modified text; false when the user chose Cancel, or chose Yes and
    // then cancelled the save dialog (so nothing typed is thrown away).
    bool askToSave();
    // The same, with a failed save shown as an error (and counted as Cancel).
    bool askToSaveGuarded();

    QString CurrentScriptFile;
    QString IndentUnit = QStringLiteral("   ");

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createActions();
    QAction *addCommand(QMenu *menu, const char *name, const QString &text, const QKeySequence &key,
                        const std::function<void()> &command);
    void createContextMenu();
    void runCommand(const std::function<void()> &command);
    // The bytes a save stores: the code page, or UTF-8 with a byte-order mark when the
    // code page lacks a character and the user agrees; none when the user refuses.
    std::optional<QByteArray> scriptBytes(const QString &path);
    void writeTo(const QString &path, const QByteArray &bytes);
    void setFilePanel(const QString &path);
    void clearEditor();
    void updateStatus();
    void openingBehaviour();

    UserPrompts &m_prompts;
    Services m_services;
    ScriptTextEdit *rchKod = nullptr;
    ScriptHighlighter *m_highlighter = nullptr;
    InsertPanel *tabInsert = nullptr;
    SearchDialog *fndFind = nullptr;
    SearchDialog *rplReplace = nullptr;
    QLabel *m_panels[3] = {};
    QAction *mniWordWrap = nullptr;
    QString m_openFolder;
    ScriptHelpWindow *m_help = nullptr;
    QString m_ownFile;  // the file the editor opened or saved itself: Save replaces it without asking
    QString m_utf8File; // the file last saved in UTF-8, saved so again without asking
};
