#pragma once

#include "common/UserPrompts.h"

class QWidget;

// The prompts as real Qt dialogs, parented to one window.
class QtUserPrompts : public UserPrompts {
public:
    explicit QtUserPrompts(QWidget *parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    void error(const QString &text) override;
    void warning(const QString &text) override;
    void information(const QString &text) override;
    void message(const QString &text) override;
    Answer confirm(const QString &text, bool withCancel) override;
    bool input(const QString &caption, const QString &prompt, QString &value) override;
    QString openFileName(const FileDialog &dialog) override;
    QString saveFileName(const FileDialog &dialog) override;
    void beep() override;
    bool openWithDesktop(const QString &pathOrUrl) override;

private:
    QWidget *m_parent;
};

// "Data files (*.dat)|*.dat" to Qt's "Data files (*.dat)".
QString qtFileFilter(const QString &filter);
