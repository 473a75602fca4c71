#include "common/QtUserPrompts.h"

#include <QPushButton>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QUrl>

namespace {
const QString kTitle = QStringLiteral("Fortavo");
}

void QtUserPrompts::error(const QString &text)
{
    QMessageBox::critical(m_parent, kTitle, text);
}

void QtUserPrompts::warning(const QString &text)
{
    QMessageBox::warning(m_parent, kTitle, text);
}

void QtUserPrompts::information(const QString &text)
{
    QMessageBox::information(m_parent, kTitle, text);
}

void QtUserPrompts::message(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, kTitle, text, QMessageBox::Ok, m_parent);
    box.exec();
}

UserPrompts::Answer QtUserPrompts::confirm(const QString &text, bool withCancel)
{
    QMessageBox box(QMessageBox::Question, kTitle, text, QMessageBox::Yes | QMessageBox::No, m_parent);
    QPushButton *cancel = box.addButton(QMessageBox::Cancel);
    // A Yes/No question dismissed with Esc or its close box is not answered: a hidden
    // Cancel button takes those, so they never count as No.
    cancel->setVisible(withCancel);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == box.button(QMessageBox::Yes))
        return Answer::Yes;
    if (box.clickedButton() == box.button(QMessageBox::No))
        return Answer::No;
    return Answer::Cancel;
}

bool QtUserPrompts::input(const QString &caption, const QString &prompt, QString &value)
{
    bool ok = false;
    const QString answer = QInputDialog::getText(m_parent, caption, prompt, QLineEdit::Normal, value, &ok);
    if (ok)
        value = answer;
    return ok;
}

QString qtFileFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2)
        filters << parts.at(i);
    return filters.join(QStringLiteral(";;"));
}

QString QtUserPrompts::openFileName(const FileDialog &d)
{
    QFileDialog dialog(m_parent, d.title, d.initialPath, qtFileFilter(d.filter));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(d.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(d.defaultExtension);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

QString QtUserPrompts::saveFileName(const FileDialog &d)
{
    QFileDialog dialog(m_parent, d.title, d.initialPath, qtFileFilter(d.filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(d.defaultExtension);
    if (!d.askBeforeOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

void QtUserPrompts::beep()
{
    QApplication::beep();
}

bool QtUserPrompts::openWithDesktop(const QString &pathOrUrl)
{
    const QUrl url = pathOrUrl.contains(QStringLiteral("://")) ? QUrl(pathOrUrl) : QUrl::fromLocalFile(pathOrUrl);
    return QDesktopServices::openUrl(url);
}
