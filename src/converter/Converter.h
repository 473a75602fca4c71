#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class UserPrompts;

// The version converter window: the old training file, the backup choice and the two
// versions. It only collects them; the main window runs the conversion.
class TfrmConverter : public QDialog {
    Q_OBJECT
public:
    static const QString OldVersion; // "Fortavo 1.5"
    static const QString NewVersion; // "Fortavo 2.0"

    explicit TfrmConverter(UserPrompts &prompts, QWidget *parent = nullptr);
    ~TfrmConverter() override;

    // Shows the window modally; true when it closed with the convert result, false
    // through its close box or Esc.
    bool showModal();

    QString oldFileName() const; // the text of ledStara
    bool keepBackup() const;
    QString oldVersion() const;
    QString newVersion() const;
    // The chosen versions are the pair the converter knows.
    bool convertsOldToNew() const;

public slots:
    void bitStaraClick();
    void bitConvertClick();

private:
    void buildControls();

    UserPrompts &m_prompts;

    QPlainTextEdit *memObjasnjenje = nullptr;
    QLineEdit *ledStara = nullptr;
    QPushButton *bitStara = nullptr;
    QCheckBox *chbBackup = nullptr;
    QComboBox *cmbStara = nullptr;
    QComboBox *cmbNova = nullptr;
    QPushButton *bitConvert = nullptr;
};
