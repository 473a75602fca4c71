#pragma once

#include <QDialog>
#include <QIcon>
#include <QPointer>

class QAction;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class UserPrompts;

// The about window: name, logo, version, the web link and the licence text. Created once
// at start-up, when it reads "license.txt"; shown modally from the main window.
class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(UserPrompts &prompts, QWidget *parent = nullptr);
    ~TfrmAbout() override;

    // The window's start-up work: loads the licence text, or says that it is missing.
    void startUp();
    void showModal() { exec(); }
    // The main window's website command, which the link runs. The label is a link only
    // while the command is set and enabled.
    void setWebsiteAction(QAction *action);
    void lblWebClick();

    // The Fortavo logo, also the windows' icon.
    static QIcon logo();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls();
    void updateLink();
    bool linkActive() const;

    UserPrompts &m_prompts;
    QPointer<QAction> m_website;

    QLabel *imgLogo = nullptr;
    QLabel *lblNaslov = nullptr;
    QLabel *lblVerzija = nullptr;
    QLabel *lblWeb = nullptr;
    QPlainTextEdit *memLicenca = nullptr;
    QPushButton *bitOk = nullptr;
};
