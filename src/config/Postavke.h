#pragma once

#include "config/EditorOptions.h"
#include "config/SettingsValues.h"

#include <QDialog>

#include <array>
#include <optional>

class ColorChooser;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;
class UserPrompts;

// The settings window: the pick lists, three file names and the script editor's options,
// loaded from "init.ini" at start-up and on every showing. It is also the live store of
// the editor's options, which the script editor reads through EditorOptions.
class TfrmPostavke : public QDialog, public EditorOptions {
    Q_OBJECT
public:
    explicit TfrmPostavke(UserPrompts &prompts, QWidget *parent = nullptr);
    ~TfrmPostavke() override;

    // The window's start-up work: the first Load.
    void startUp() { load(); }
    // Shows the window modally; true when the user left it with OK.
    bool showModal();
    // The values as the controls hold them, for writing on OK.
    SettingsValues values() const;

    // EditorOptions
    OpeningChoice openingChoice() const override;
    ColorValue keywordColor() const override;
    ColorValue stringColor() const override;
    ColorValue functionColor() const override;

    // Fills every control from the configuration file; a colour that does not read is
    // reported and ends the Load there.
    void load();
    void trvDrvoClick();
    void addEntry(int list);
    void deleteEntry(int list);
    void bitOpenTrainingClick();
    void bitOpenTemplateClick();
    void bitVjezbeClick();

    // Cancel puts back what the controls held when the window was shown.
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct ListPage {
        QGroupBox *page = nullptr;
        QLineEdit *entry = nullptr;
        QPushButton *add = nullptr;
        QPushButton *del = nullptr;
        QListWidget *list = nullptr;
    };
    // What Cancel restores.
    struct Shown {
        SettingsValues values;
        OpeningChoice choice = OpeningChoice::NoneSelected;
    };

    void buildControls();
    QWidget *buildFilesPage();
    ListPage buildListPage(int n, const char *pageName, const QString &caption, const char *entryName,
                           const char *listName);
    QWidget *buildEditorPage();
    QTreeWidget *buildTree();
    void loadLists();
    void updateDefaultButton();
    void setOpeningChoice(OpeningChoice choice);
    void chooseFile(QLineEdit *field, const QString &title, const QString &filter, const QString &extension,
                    bool mustExist);
    void setListItems(QListWidget *list, const QStringList &items);
    static QStringList listItems(const QListWidget *list);
    Shown shownState() const;
    void restore(const Shown &state);

    UserPrompts &m_prompts;
    std::optional<Shown> m_shown; // since the window was last shown

    QTreeWidget *trvDrvo = nullptr;
    QTreeWidgetItem *m_filesNode = nullptr, *m_listsNode = nullptr, *m_editorNode = nullptr;
    std::array<QTreeWidgetItem *, 4> m_listNodes{};
    QLabel *lblImena = nullptr;
    QWidget *pnlFiles = nullptr;
    QWidget *pnlEditor = nullptr;
    std::array<ListPage, 4> m_lists;
    QLineEdit *ledTrainingFile = nullptr, *ledTemplateFile = nullptr, *ledVjezbe = nullptr;
    QPushButton *bitOpenTraining = nullptr, *bitOpenTemplate = nullptr, *bitVjezbe = nullptr;
    QRadioButton *rdbKeepPrevious = nullptr, *rdbClearEditor = nullptr, *rdbRunWizard = nullptr;
    QButtonGroup *m_opening = nullptr;
    ColorChooser *clbKljucne = nullptr, *clbStringovi = nullptr, *clbFunkcije = nullptr;
    QPushButton *bitOk = nullptr, *bitCancel = nullptr;
};

// The main window's Settings command: shows the window and, on OK, writes its values to
// the configuration file and says that a restart is needed. A failed write is reported
// and ends the command.
void RunSettingsCommand(TfrmPostavke &window, UserPrompts &prompts);
