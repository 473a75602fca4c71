#pragma once

#include "csv/CsvImport.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// What an import would do, shown before anything is written: Import goes ahead,
// Cancel leaves every file as it was.
class ImportPreview : public QDialog {
    Q_OBJECT
public:
    ImportPreview(const QString &fileName, const CsvImport::Plan &plan, QWidget *parent = nullptr);
    QString reportText() const;
    QPushButton *importButton() const { return m_import; }

private:
    QPlainTextEdit *m_report = nullptr;
    QPushButton *m_import = nullptr;
};
