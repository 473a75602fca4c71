#pragma once

#include "editor/WizardCode.h"

#include <QDialog>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QWidget;
class UserPrompts;

// The script wizard: three pages asking for a script's name, its includes and its
// variables. Every showing starts afresh.
class TfrmWizard : public QDialog {
    Q_OBJECT
public:
    explicit TfrmWizard(UserPrompts &prompts, QWidget *parent = nullptr);

    // Decides at Finish whether the wizard may close with its answers; when it says no,
    // the wizard stays on its last page with everything the user entered.
    using FinishCheck = std::function<bool(const WizardAnswers &)>;

    // Shows the wizard modally; the answers after Finish, nothing after Cancel.
    std::optional<WizardAnswers> ask(const FinishCheck &mayFinish = {});
    WizardAnswers answers() const;

    void btnNextClick();
    void btnBackClick();
    void bitAddClick();
    void bitDeleteClick();
    // The page shown: 1, 2 or 3.
    int page() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormShow();
    void showPage(int page);

    UserPrompts &m_prompts;
    QWidget *pnlFileName = nullptr;
    QWidget *pnlInclude = nullptr;
    QWidget *pnlVarijable = nullptr;
    QLineEdit *ledFileName = nullptr;
    QListWidget *lstInclude = nullptr;
    QPushButton *bitAdd = nullptr;
    QPushButton *bitDelete = nullptr;
    QLineEdit *ledVars = nullptr;
    QLineEdit *ledStrs = nullptr;
    QPushButton *btnBack = nullptr;
    QPushButton *btnNext = nullptr;
    QPushButton *btnCancel = nullptr;
    QString m_includeFileName;
    FinishCheck m_mayFinish;
};
