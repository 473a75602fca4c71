#include "app/ProgressDialog.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <memory>

ProgressCallback progressDialog(QWidget *parent, const QString &label)
{
    auto dialog = std::make_shared<QProgressDialog>(label, QString(), 0, 100, parent);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(400);
    dialog->setAutoClose(true);
    return [dialog](qint64 done, qint64 total) {
        dialog->setMaximum(int(qMax<qint64>(total, 1)));
        dialog->setValue(int(qMin(done, total)));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
}
